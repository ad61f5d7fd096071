#include "widgets/control_builders.h"

#include "widgets/click_label.h"
#include "widgets/color_button.h"
#include "widgets/lcd99.h"
#include "widgets/led_button.h"
#include "widgets/led_meter.h"
#include "widgets/qt_color.h"
#include "widgets/screw_panel.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>

namespace Build {

QFont Font::apply(QFont base) const
{
    if (!family.isEmpty())
        base.setFamily(family);
    if (pixelSize > 0)
        base.setPixelSize(pixelSize);
    if (pointSize > 0)
        base.setPointSize(pointSize);
    if (bold)
        base.setBold(true);
    if (italic)
        base.setItalic(true);
    return base;
}

namespace {

template <class Control> Control* place(Control* control, QStringView name, const QRect& rect)
{
    control->setObjectName(name.toString());
    if (rect.isValid())
        control->setGeometry(rect);
    return control;
}

} // namespace

ColorButton* colorButton(QWidget* parent, QStringView name, const QString& caption, const QRect& rect, TColor face,
                         const Font& font, TColor fontColor)
{
    auto* b = place(new ColorButton(parent), name, rect);
    b->setCaption(caption);
    b->setColor(face);
    b->setFontColor(fontColor);
    b->setFont(font.apply(b->font()));
    return b;
}

TScrewPanel* panel(QWidget* parent, QStringView name, const QRect& rect, TColor face, const QString& heading)
{
    auto* p = place(new TScrewPanel(parent), name, rect);
    p->setColor(face);
    if (!heading.isEmpty())
        label(p, name.toString() + QStringLiteral("Heading"), heading, {12, 10, rect.width() - 24, 22}, Font{14, true});
    return p;
}

QLabel* label(QWidget* parent, QStringView name, const QString& text, const QRect& rect, const Font& font)
{
    auto* l = place(new QLabel(text, parent), name, rect);
    l->setFont(font.apply(l->font()));
    return l;
}

QLineEdit* edit(QWidget* parent, QStringView name, const QRect& rect, const QString& text)
{
    auto* e = place(new QLineEdit(text, parent), name, rect);
    e->setAccessibleName(name.toString());
    return e;
}

QPlainTextEdit* memo(QWidget* parent, QStringView name, const QRect& rect)
{
    auto* m = place(new QPlainTextEdit(parent), name, rect);
    m->setAccessibleName(name.toString());
    return m;
}

QPushButton* button(QWidget* parent, QStringView name, const QString& caption, const QRect& rect, const Font& font)
{
    auto* b = place(new QPushButton(caption, parent), name, rect);
    b->setFont(font.apply(b->font()));
    return b;
}

QCheckBox* checkBox(QWidget* parent, QStringView name, const QString& caption, const QRect& rect, bool checked)
{
    auto* c = place(new QCheckBox(caption, parent), name, rect);
    c->setChecked(checked);
    return c;
}

QRadioButton* radioButton(QWidget* parent, QStringView name, const QString& caption, const QRect& rect, bool checked)
{
    auto* r = place(new QRadioButton(caption, parent), name, rect);
    r->setChecked(checked);
    return r;
}

QComboBox* comboBox(QWidget* parent, QStringView name, const QRect& rect, bool editable)
{
    auto* c = place(new QComboBox(parent), name, rect);
    c->setEditable(editable);
    c->setAccessibleName(name.toString());
    return c;
}

QTreeWidget* listView(QWidget* parent, QStringView name, const QRect& rect, std::initializer_list<Column> columns)
{
    auto* list = place(new QTreeWidget(parent), name, rect);
    list->setAccessibleName(name.toString());
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setColumnCount(int(columns.size()));
    QStringList captions;
    for (const Column& c : columns)
        captions << c.caption;
    list->setHeaderLabels(captions);
    int i = 0;
    for (const Column& c : columns) {
        list->setColumnWidth(i, c.width);
        list->headerItem()->setTextAlignment(i, c.alignment | Qt::AlignVCenter);
        ++i;
    }
    list->header()->setStretchLastSection(false);
    return list;
}

QLineEdit* labelledEdit(QWidget* parent, QStringView name, const QString& caption, const QRect& rect, int labelWidth)
{
    auto* l = label(parent, name.toString() + QStringLiteral("Label"), caption,
                    {rect.left() - labelWidth - 6, rect.top(), labelWidth, rect.height()});
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QLineEdit* e = edit(parent, name, rect);
    l->setBuddy(e);
    e->setAccessibleName(caption);
    return e;
}

QCalendarWidget* monthCalendar(QWidget* parent, QStringView name, const QRect& rect)
{
    auto* c = place(new QCalendarWidget(parent), name, rect);
    c->setAccessibleName(name.toString());
    c->setGridVisible(true);
    c->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // Month and day names in Czech, like the rest of the interface, whatever the system locale.
    c->setLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    return c;
}

QListWidget* listBox(QWidget* parent, QStringView name, const QRect& rect, const Font& font)
{
    auto* l = place(new QListWidget(parent), name, rect);
    l->setAccessibleName(name.toString());
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setFont(font.apply(l->font()));
    return l;
}

void setTextColor(QWidget* control, TColor color)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, toQColor(color));
    control->setPalette(palette);
}

QFrame* frame(QWidget* parent, QStringView name, const QRect& rect, QFrame::Shape shape, QFrame::Shadow shadow,
              int lineWidth)
{
    auto* f = place(new QFrame(parent), name, rect);
    f->setFrameShape(shape);
    f->setFrameShadow(shadow);
    f->setLineWidth(lineWidth);
    return f;
}

ClickLabel* clickLabel(QWidget* parent, QStringView name, const QString& text, const QRect& rect, const Font& font)
{
    auto* l = place(new ClickLabel(text, parent), name, rect);
    l->setFont(font.apply(l->font()));
    l->setCursor(Qt::PointingHandCursor);
    return l;
}

QDateEdit* dateEdit(QWidget* parent, QStringView name, const QRect& rect, const QString& displayFormat)
{
    auto* d = place(new QDateEdit(parent), name, rect);
    d->setCalendarPopup(true);
    d->setDisplayFormat(displayFormat);
    d->setAccessibleName(name.toString());
    return d;
}

QSpinBox* spinBox(QWidget* parent, QStringView name, const QRect& rect, int minimum, int maximum, int value)
{
    auto* s = place(new QSpinBox(parent), name, rect);
    s->setRange(minimum, maximum);
    s->setValue(value);
    s->setAccessibleName(name.toString());
    return s;
}

QTabWidget* pageControl(QWidget* parent, QStringView name, const QRect& rect)
{
    auto* pages = place(new QTabWidget(parent), name, rect);
    pages->setAccessibleName(name.toString());
    return pages;
}

QWidget* page(QTabWidget* pages, QStringView name, const QString& caption)
{
    auto* p = new QWidget;
    p->setObjectName(name.toString());
    p->setAccessibleName(caption);
    pages->addTab(p, caption);
    return p;
}

TLCD99* lcd(QWidget* parent, QStringView name, const QRect& rect, int digits, const QString& value)
{
    auto* l = place(new TLCD99(parent), name, rect);
    l->setDigitNum(digits);
    l->setValue(value);
    return l;
}

TLEDMeter* ledMeter(QWidget* parent, QStringView name, const QRect& rect, int minimum, int maximum, int position)
{
    auto* m = place(new TLEDMeter(parent), name, rect);
    m->setMin(minimum);
    m->setMax(maximum);
    m->setPosition(position);
    return m;
}

TLEDButton* ledButton(QWidget* parent, QStringView name, const QString& caption, const QRect& rect, TColor face,
                      const Font& font, TColor fontColor)
{
    auto* b = place(new TLEDButton(parent), name, rect);
    b->setCaption(caption);
    b->setColor(face);
    b->setFontColor(fontColor);
    b->setFont(font.apply(b->font()));
    return b;
}

} // namespace Build
