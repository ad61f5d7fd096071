#pragma once
// Dialogs: the modal message boxes of the system, behind one seam so that windows can be tested
// headless. Production shows QMessageBox; tests use the recording double in tests/support.

#include <QString>
#include <QStringList>

#include <vector>

class QWidget;

class Dialogs
{
public:
    enum class Kind { Plain, Confirmation, Information, Error };
    virtual ~Dialogs() = default;

    // Text and an OK button; returns when closed.
    virtual void message(const QString& text) = 0;
    // Question icon, Yes and No; true on Yes.
    virtual bool confirm(const QString& text) = 0;
    // Information icon and OK.
    virtual void information(const QString& text) = 0;
    // The application's standard error box (errors of the platform layer, exceptions).
    virtual void error(const QString& text) = 0;
};

// Shows QMessageBox boxes, owned by the active window and titled with the application's display name.
class MessageBoxDialogs final : public Dialogs
{
public:
    void message(const QString& text) override;
    bool confirm(const QString& text) override;
    void information(const QString& text) override;
    void error(const QString& text) override;
};
