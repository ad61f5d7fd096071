#pragma once
// TForm14 ("Synchronizace rezervací s WWW serverem"): the web synchronisation window for reservations.

#include <QWidget>

struct Forms;

class TForm14 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm14(Forms& forms, QWidget* parent = nullptr);
};
