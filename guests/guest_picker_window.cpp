#include "guests/guest_picker_window.h"

#include "app/forms.h"
#include "app/message_texts_window.h"
#include "desktop/dialogs.h"
#include "desktop/guarded.h"
#include "desktop/guarded_connect.h"
#include "desktop/show_step.h"
#include "guests/guest_card_window.h"
#include "guests/guest_file.h"
#include "reservations/create_reservation_window.h"
#include "widgets/color_button.h"
#include "widgets/control_builders.h"
#include "widgets/qt_color.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTreeWidget>

namespace {

constexpr int kIdColumn = 0;
constexpr int kColumns = 8;

// One row of klienti: every column but "ID" centred, without storing an alignment per cell.
class GuestRow final : public QTreeWidgetItem
{
public:
    explicit GuestRow(const QStringList& texts) : QTreeWidgetItem(texts) {}

    QVariant data(int column, int role) const override
    {
        if (role == Qt::TextAlignmentRole)
            return int(column == kIdColumn ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
        return QTreeWidgetItem::data(column, role);
    }
};

// The list's grid lines: each cell's right and bottom edge.
class GridLineDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(option.palette.color(QPalette::Mid));
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
    }
};

} // namespace

TForm13::TForm13(Forms& forms, QWidget* parent)
    : QWidget(parent), vsichni(Build::radioButton(this, u"vsichni", QStringLiteral("Všichni klienti z databáze"),
                                                  {12, 14, 220, 22}, true)),
      ubytovani(Build::radioButton(this, u"ubytovani", QStringLiteral("Jen ubytovaní hosté"), {240, 14, 200, 22})),
      UpravitHostaBut(Build::colorButton(this, u"UpravitHostaBut", QStringLiteral("Upravit hosta"), {}, clBtnFace)),
      SmazatHostaBut(Build::colorButton(this, u"SmazatHostaBut", QStringLiteral("Smazat hosta"), {}, clRed,
                                        Build::kBold, clWhite)),
      ZobrazitBut(Build::button(this, u"ZobrazitBut", QStringLiteral("Zobrazit"), {0, 0, 75, 25})),
      OKBut(Build::colorButton(this, u"OKBut", QStringLiteral("OK"), {}, clYellow)),
      klienti(Build::listView(this, u"klienti", {},
                              {{QStringLiteral("ID"), 40, Qt::AlignLeft},
                               {QStringLiteral("Příjmení"), 80, Qt::AlignCenter},
                               {QStringLiteral("Jmeno"), 80, Qt::AlignCenter},
                               {QStringLiteral("Jméno 2"), 80, Qt::AlignCenter},
                               {QStringLiteral("Telefon"), 80, Qt::AlignCenter},
                               {QStringLiteral("Mobil"), 80, Qt::AlignCenter},
                               {QStringLiteral("E-Mail"), 80, Qt::AlignCenter},
                               {QStringLiteral("Naposledy"), 80, Qt::AlignCenter}})),
      forms_(forms)
{
    setObjectName(QStringLiteral("Form13"));
    setWindowTitle(QStringLiteral("Výběr hosta"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    resize(800, 500);

    ZobrazitBut->hide();
    klienti->setEditTriggers(QAbstractItemView::NoEditTriggers);
    klienti->setItemDelegate(new GridLineDelegate(klienti));
    klienti->setSortingEnabled(false);

    guardedConnect(forms_.dialogs, vsichni, &QRadioButton::clicked, this, &TForm13::ZobrazitButClick);
    guardedConnect(forms_.dialogs, ubytovani, &QRadioButton::clicked, this, &TForm13::ZobrazitButClick);
    guardedConnect(forms_.dialogs, ZobrazitBut, &QPushButton::clicked, this, &TForm13::ZobrazitButClick);
    guardedConnect(forms_.dialogs, klienti, &QTreeWidget::itemDoubleClicked, this, &TForm13::klientiDblClick);
    guardedConnect(forms_.dialogs, UpravitHostaBut, &ColorButton::clicked, this, &TForm13::UpravitHostaButClick);
    guardedConnect(forms_.dialogs, SmazatHostaBut, &ColorButton::clicked, this, &TForm13::SmazatHostaButClick);
    guardedConnect(forms_.dialogs, OKBut, &ColorButton::clicked, this, &TForm13::OKButClick);
    placeControls();
}

void TForm13::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    runShowStep(this, event, forms_.dialogs, [this] { FormShow(); });
}

void TForm13::FormShow()
{
    ZobrazitButClick();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize s = screen->geometry().size();
        setGeometry(20, 20, s.width() - 20, s.height() - 50);
    }
}

void TForm13::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeControls();
}

void TForm13::placeControls()
{
    // Radio buttons at the top left, the buttons at the top right, the list below filling the rest.
    const int right = width() - 12;
    OKBut->setGeometry(right - 90, 8, 90, 34);
    SmazatHostaBut->setGeometry(right - 90 - 8 - 130, 8, 130, 34);
    UpravitHostaBut->setGeometry(right - 90 - 8 - 130 - 8 - 130, 8, 130, 34);
    klienti->setGeometry(8, 50, std::max(0, width() - 16), std::max(0, height() - 58));
}

void TForm13::ZobrazitButClick()
{
    const std::vector<GuestListEntry> guests = GuestFile(forms_.dataFile(GuestFile::kFileName)).enumerate();
    const bool all = vsichni->isChecked();
    const bool accommodated = ubytovani->isChecked();

    QList<QTreeWidgetItem*> rows;
    rows.reserve(qsizetype(guests.size()));
    for (const GuestListEntry& g : guests) {
        if (g.deleted || !((all) || (accommodated && g.living)))
            continue;
        rows.append(new GuestRow(
            {QString::number(g.id), g.surName, g.firstName, g.middleName, g.telephone, g.cellular, g.email, g.last}));
    }
    klienti->setUpdatesEnabled(false);
    klienti->clear();
    klienti->addTopLevelItems(rows);
    for (int c = kIdColumn + 1; c < kColumns; ++c)
        klienti->resizeColumnToContents(c);
    klienti->setUpdatesEnabled(true);
}

void TForm13::chooseSelected()
{
    const QList<QTreeWidgetItem*> selected = klienti->selectedItems();
    if (selected.isEmpty())
        return;
    TForm3& card = *forms_.form3;
    card.CisloHosta = selected.front()->text(kIdColumn).toInt();
    // The card loads the guest when it becomes visible; an already open card keeps its fields.
    card.show();
    card.raise();
    TForm8& reservation = *forms_.form8;
    reservation.stav1->setText(card.prijmeni->text() + u' ' + card.jmeno->text());
    Build::setTextColor(reservation.stav1, fromQColor(TForm8::kStepDone));
    Build::setTextColor(reservation.krok1, fromQColor(TForm8::kStepDone));
    hide();
}

void TForm13::klientiDblClick()
{
    chooseSelected();
}

void TForm13::UpravitHostaButClick()
{
    chooseSelected();
}

void TForm13::SmazatHostaButClick()
{
    const QList<QTreeWidgetItem*> selected = klienti->selectedItems();
    if (selected.isEmpty())
        return;
    if (!forms_.dialogs->confirm(forms_.form11->text(QStringLiteral("OpravduSmazat"))))
        return;
    const int id = selected.front()->text(kIdColumn).toInt();
    if (id != 0)
        GuestFile(forms_.dataFile(GuestFile::kFileName)).markDeleted(id);
    ZobrazitButClick();
    forms_.dialogs->information(forms_.form11->text(QStringLiteral("Smazano")));
}

void TForm13::OKButClick()
{
    hide();
}
