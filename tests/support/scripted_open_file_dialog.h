#pragma once
// Test double of the open-file dialog behind FileNameBox: records each request and answers with
// the files it is given (none: cancel), so that no test ever waits for a person.

#include "desktop/file_name_box.h"

#include <vector>

class ScriptedOpenFileDialog final : public OpenFileDialog
{
public:
    QStringList run(QWidget*, const OpenFileRequest& request) override
    {
        requests.push_back(request);
        return answer;
    }

    QStringList answer;
    std::vector<OpenFileRequest> requests;
};
