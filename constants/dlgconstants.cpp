// SPDX-License-Identifier: GPL-3.0-or-later
#include "constants/dlgconstants.h"

#include "constants/constantstable.h"
#include "constants/constantsymboldelegate.h"
#include "engine/calculatorengine.h"
#include "engine/codecreation.h"
#include "engine/localenumber.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// Layout of the window in points: 596 x 340, margins 20 (14 above the label),
// the list between the label and the Cancel button, 12 apart.
constexpr int windowWidth = 596;
constexpr int windowHeight = 340;
constexpr int rowHeight = 18;
constexpr int textSize = 12;
constexpr int columnWidths[] = { 30, 220, 290 };

enum Column
{
    SymbolColumn,
    DescriptionColumn,
    ValueColumn
};

} // namespace

dlgConstants::dlgConstants(CalculatorEngine *sourceWindow, QWidget *parent)
    : QDialog(parent)
    , source(sourceWindow)
    , lblConstansListLabel(new QLabel(
          QStringLiteral("Physical constants are in SI units. Double click on a constant to use it:"), this))
    , lstConstants(new QTreeView(this))
    , cmdCancel(new QPushButton(QStringLiteral("Cancel"), this))
    , constants(new QStandardItemModel(this))
    , sortedConstants(new QSortFilterProxyModel(this))
{
    setObjectName(QStringLiteral("dlgConstants"));
    setWindowTitle(QStringLiteral("Constants"));
    setAttribute(Qt::WA_DeleteOnClose);
    QFont text = font();
    text.setPixelSize(textSize);
    setFont(text);

    lblConstansListLabel->setObjectName(QStringLiteral("lblConstansListLabel"));
    QFont bold = text;
    bold.setBold(true);
    lblConstansListLabel->setFont(bold);
    lblConstansListLabel->setMinimumHeight(20);

    lstConstants->setObjectName(QStringLiteral("lstConstants"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    // No default button: Return belongs to the calculator.
    cmdCancel->setAutoDefault(false);
    cmdCancel->setMinimumSize(69, 20);
    connect(cmdCancel, &QPushButton::clicked, this, &dlgConstants::cmdCancel_Action);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 14, 20, 20);
    layout->setSpacing(12);
    layout->addWidget(lblConstansListLabel);
    layout->addWidget(lstConstants, 1);
    layout->addLayout(buttons);
    resize(windowWidth, windowHeight);

    lstConstants_Open();
    // The user sees the constants in alphabetical order of their
    // descriptions; a click on a heading sorts by that column.
    lstConstants->sortByColumn(DescriptionColumn, Qt::AscendingOrder);
    lstConstants->installEventFilter(this);
    connect(lstConstants, &QTreeView::doubleClicked, this, &dlgConstants::lstConstants_DoubleClick);
}

void dlgConstants::lstConstants_Open()
{
    constants->setHorizontalHeaderLabels(
        { QStringLiteral(" "), QStringLiteral("Description"), QStringLiteral("Value") });
    QFont symbolFont = font();
    symbolFont.setBold(true);
    for (const ConstantsTable::Row &row : ConstantsTable::Rows()) {
        auto *symbol = new QStandardItem(row.symbol.toString());
        symbol->setFont(symbolFont);
        symbol->setTextAlignment(Qt::AlignCenter);
        QList<QStandardItem *> cells = { symbol, new QStandardItem(row.description.toString()),
            new QStandardItem(row.value.toString()) };
        for (QStandardItem *cell : cells)
            cell->setEditable(false);
        constants->appendRow(cells);
    }

    // Values sort as text, like every column; letter case does not count.
    sortedConstants->setSourceModel(constants);
    sortedConstants->setSortCaseSensitivity(Qt::CaseInsensitive);
    lstConstants->setModel(sortedConstants);
    lstConstants->setItemDelegate(new ConstantSymbolDelegate(rowHeight, lstConstants));
    lstConstants->setRootIsDecorated(false);
    lstConstants->setItemsExpandable(false);
    lstConstants->setUniformRowHeights(true);
    lstConstants->setAlternatingRowColors(true);
    lstConstants->setAllColumnsShowFocus(true);
    lstConstants->setSelectionMode(QAbstractItemView::SingleSelection);
    lstConstants->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstConstants->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstConstants->setSortingEnabled(true);
    lstConstants->header()->setSectionsMovable(false);
    for (int column = SymbolColumn; column <= ValueColumn; ++column)
        lstConstants->header()->resizeSection(column, columnWidths[column]);
}

void dlgConstants::Show()
{
    visibleNow = true;
    show();
    raise();
    activateWindow();
}

void dlgConstants::Hide()
{
    visibleNow = false;
    hide();
}

void dlgConstants::lstConstants_DoubleClick(const QModelIndex &index)
{
    // A double-click below the last row hits no constant and enters nothing.
    if (!index.isValid() || !source)
        return;
    // The leading number of the text: "1.90216 05823" reads as 1.90216, and
    // a text without a number as 0. The stored values always write the
    // decimal point as "."; the conversion reads the user's locale, so the
    // point becomes the locale's separator first (otherwise 9.81 would read
    // as 9 where the decimal separator is a comma).
    QString value = index.siblingAtColumn(ValueColumn).data().toString();
    value.replace(QLatin1Char('.'), LocalDecimalSeparator());
    source->EnterConstant(LeadingNumber(value));
}

void dlgConstants::cmdCancel_Action()
{
    close();
}

bool dlgConstants::KeyDown(const QKeyEvent *event)
{
    // Escape cancels and Tab moves the focus, as in any dialog; shortcuts
    // with Control, Alt or Meta are not typing (Control-C would otherwise
    // arrive as the character U+0003, the Enter key).
    const Qt::KeyboardModifiers shortcut = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (!source || event->text().isEmpty() || (event->modifiers() & shortcut)
        || event->key() == Qt::Key_Escape || event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        return false;
    source->HandleKeyDown(event->text());
    return true;
}

void dlgConstants::keyPressEvent(QKeyEvent *event)
{
    // Keys the calculator does not take get the dialog's own handling:
    // Escape rejects the dialog, which closes it.
    if (!KeyDown(event))
        QDialog::keyPressEvent(event);
}

bool dlgConstants::eventFilter(QObject *watched, QEvent *event)
{
    // Typed characters go to the calculator instead of searching the list;
    // the list keeps its navigation keys, which type no character.
    if (watched == lstConstants && event->type() == QEvent::KeyPress
        && KeyDown(static_cast<QKeyEvent *>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}
