#pragma once
// The one way windows create their controls: each builder makes a control with its name (the
// objectName that tests and assistive technology find it by), its geometry, its text and its font,
// so that a window's constructor reads as the table of its layout.

#include "widgets/colors.h"

#include <QFont>
#include <QFrame>
#include <QRect>
#include <QString>
#include <QStringView>

#include <initializer_list>

class ClickLabel;
class ColorButton;
class TLCD99;
class TLEDButton;
class TLEDMeter;
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
    // A size in points instead of pixels (0: none), for texts that follow the screen's resolution.
    int pointSize = 0;
    bool italic = false;

    QFont apply(QFont base) const;
};

inline const Font kBold{0, true};
// The parent's font unchanged, and bold in the parent's family and size.
inline const Font kParentFont{0, false, QString()};
inline const Font kParentBold{0, true, QString()};

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

// The colour of a control's text (its palette's window text).
void setTextColor(QWidget* control, TColor color);

// A frame drawn around an area (a raised panel, a sunken line, ...).
QFrame* frame(QWidget* parent, QStringView name, const QRect& rect, QFrame::Shape shape = QFrame::Panel,
              QFrame::Shadow shadow = QFrame::Raised, int lineWidth = 1);

// A label that reports a left click (clicked()).
ClickLabel* clickLabel(QWidget* parent, QStringView name, const QString& text, const QRect& rect,
                       const Font& font = {});

// A date edit with a calendar pop-up showing dates in displayFormat.
QDateEdit* dateEdit(QWidget* parent, QStringView name, const QRect& rect, const QString& displayFormat);

// A seven-segment display of digits cells showing value.
TLCD99* lcd(QWidget* parent, QStringView name, const QRect& rect, int digits, const QString& value);

// An LED bar meter from minimum to maximum standing at position.
TLEDMeter* ledMeter(QWidget* parent, QStringView name, const QRect& rect, int minimum, int maximum, int position);

// An LED slab button; the caption is also its accessible name.
TLEDButton* ledButton(QWidget* parent, QStringView name, const QString& caption, const QRect& rect, TColor face,
                      const Font& font = kBold, TColor fontColor = clBlack);

// A page control and one of its pages: each page is a named widget whose tab shows the caption.
QTabWidget* pageControl(QWidget* parent, QStringView name, const QRect& rect);
QWidget* tabSheet(QTabWidget* pages, QStringView name, const QString& caption);

} // namespace Build
