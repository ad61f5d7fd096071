#pragma once
// TForm11 ("Překlady"): the never-shown window that holds the shared Czech message texts, one label
// per text, the label's object name being the text's key. Readers look a text up at the moment
// they need it.

#include <QString>
#include <QStringList>
#include <QWidget>

#include <stdexcept>

struct Forms;

// A lookup of a key that names no text (a programming error, reported rather than shown blank).
class EUnknownMessageText final : public std::out_of_range
{
public:
    explicit EUnknownMessageText(const QString& key);
};

class TForm11 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm11(Forms& forms, QWidget* parent = nullptr);

    // The caption of the label named key; throws EUnknownMessageText for an unknown key.
    QString text(const QString& key) const;
    // Every key, in the order the labels were created.
    QStringList keys() const;
};
