#pragma once
// The one way windows create their controls: each builder makes a control with its name (the
// objectName that tests and assistive technology find it by), its geometry, its text and its font,
// so that a window's constructor reads as the table of its layout.

#include "widgets/colors.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <QStringView>

#include <initializer_list>

class ColorButton;
class TScrewPanel;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTreeWidget;
class QWidget;

namespace Build {

// A font by pixel size: 0 keeps the parent's size; the family defaults to the windows' Arial.
struct Font
{
    int pixelSize = 0;
    bool bold = false;
    QString family = QStringLiteral("Arial");

    QFont apply(QFont base) const;
};

inline const Font kBold{0, true};

// A colour button; the caption is also its accessible name.
ColorButton* colorButton(QWidget* parent, QStringView name, const QString& caption, const QRect& rect, TColor face,
                         const Font& font = kBold, TColor fontColor = clBlack);

// A screw panel grouping controls; with a heading, a bold label at its top left.
TScrewPanel* panel(QWidget* parent, QStringView name, const QRect& rect, TColor face = clBtnFace,
                   const QString& heading = {});

QLabel* label(QWidget* parent, QStringView name, const QString& text, const QRect& rect, const Font& font = {});
QLineEdit* edit(QWidget* parent, QStringView name, const QRect& rect, const QString& text = {});
QPlainTextEdit* memo(QWidget* parent, QStringView name, const QRect& rect);
QPushButton* button(QWidget* parent, QStringView name, const QString& caption, const QRect& rect,
                    const Font& font = {});
QCheckBox* checkBox(QWidget* parent, QStringView name, const QString& caption, const QRect& rect, bool checked = false);
QRadioButton* radioButton(QWidget* parent, QStringView name, const QString& caption, const QRect& rect,
                          bool checked = false);
QComboBox* comboBox(QWidget* parent, QStringView name, const QRect& rect, bool editable = false);

// One column of a report-view list: caption, width in pixels and alignment of its texts.
struct Column
{
    QString caption;
    int width = 0;
    Qt::Alignment alignment = Qt::AlignLeft;
};

// A report-view list: whole-row selection, no tree decoration, one header column per entry.
QTreeWidget* listView(QWidget* parent, QStringView name, const QRect& rect, std::initializer_list<Column> columns);

// An edit with its caption label to the left ending at the edit's left edge, for form-like windows.
QLineEdit* labelledEdit(QWidget* parent, QStringView name, const QString& caption, const QRect& rect, int labelWidth);

// A date picker with a calendar drop-down; its accessible name is its name. The caller sets the
// date text format.
QDateEdit* datePicker(QWidget* parent, QStringView name, const QRect& rect);

// A page control and one of its pages: each page is a named widget whose tab shows the caption.
QTabWidget* pageControl(QWidget* parent, QStringView name, const QRect& rect);
QWidget* tabSheet(QTabWidget* pages, QStringView name, const QString& caption);

} // namespace Build
