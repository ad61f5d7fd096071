#pragma once
// SavedRadioButton: a radio button that makes its caption bold while the mouse is over it and
// gives tooltips its own background colour meanwhile; it can keep its checked state in the
// current user's settings store (off by default, so by default it touches nothing on disk).

#include <QColor>
#include <QRadioButton>
#include <QString>

class SavedRadioButton final : public QRadioButton
{
    Q_OBJECT

public:
    explicit SavedRadioButton(const QString& caption, QWidget* parent = nullptr);

    // Bold caption while hovered (default true).
    bool fontEffect() const { return fontEffect_; }
    void setFontEffect(bool on) { fontEffect_ = on; }

    // Tooltip background while hovered (default: the tooltip background of the moment of creation).
    QColor hintColor() const { return hintColor_; }
    void setHintColor(const QColor& color) { hintColor_ = color; }

    // Saving, effective only when on and both names are set: switching it on, or setting a name
    // while it is on, restores the checked state stored under regPath/regValueName (non-zero is
    // checked) and fires restored(); every later change of the checked state is written (1 or 0).
    bool autoSave() const { return autoSave_; }
    void setAutoSave(bool on);
    QString regPath() const { return regPath_; }
    void setRegPath(const QString& path);
    QString regValueName() const { return regValueName_; }
    void setRegValueName(const QString& name);

    // The settings key the state is kept under: regPath (backslashes as separators too) and the value name.
    QString settingsKey() const;

signals:
    void mouseEntered();
    void mouseLeft();
    void restored();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool saving() const;
    void restore();
    void save(bool checked);

    bool fontEffect_ = true;
    QColor hintColor_;
    QColor savedTooltipColor_;
    bool autoSave_ = false;
    QString regPath_;
    QString regValueName_;
};
