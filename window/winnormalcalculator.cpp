// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/winnormalcalculator.h"

#include "app/app.h"
#include "app/preferences.h"
#include "app/windowcandy.h"
#include "constants/dlgconstants.h"
#include "conversion/dlgconvert.h"
#include "engine/calculatorengine.h"
#include "engine/codecreation.h"
#include "help/winhelp.h"
#include "window/calculatorclipboard.h"
#include "window/contactwebsite.h"
#include "window/displaycanvas.h"
#include "window/fastprogressbar.h"
#include "window/iconbevelbutton.h"
#include "window/keyboardinput.h"
#include "window/keyboardnavigation.h"
#include "window/largeiconbevelbutton.h"
#include "window/modepictures.h"
#include "window/pagepanel.h"
#include "window/selftest.h"

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTreeWidget>
#include <QWindow>

#include <algorithm>
#include <array>
#include <utility>

namespace {

using Kind = WindowLayout::Kind;

const QString decimalBase = QStringLiteral("10 (Denary, normal)");

// The rows of the display-base popup; an empty text is the separator row.
const QStringList displayBaseRows {
    QStringLiteral("2 (Binary)"),
    QStringLiteral("8 (Octal)"),
    decimalBase,
    QStringLiteral("16 (Hexadecimal)"),
    QString(),
    QStringLiteral("2 (Binary, Long version)"),
    QStringLiteral("8 (Octal, Long version)"),
    QStringLiteral("16 (Hexadecimal, Long version)"),
};

// The rows of the angle-mode popup; a row's index is its angle mode.
const QStringList angleModeRows {
    QStringLiteral("Radians"),
    QStringLiteral("Mils (NATO)"),
    QStringLiteral("Mils (Soviet)"),
    QStringLiteral("Mils (Sweden)"),
    QStringLiteral("Gons (Grads, Gradians)"),
    QStringLiteral("Degrees"),
    QStringLiteral("Minutes"),
    QStringLiteral("Seconds"),
    QStringLiteral("Point"),
    QStringLiteral("Full Circles"),
};

// Texts of the platform's classic dialogs put a carriage return and the
// character 3 between paragraphs; here a paragraph ends with a line break.
QString dialogText(QString text)
{
    text.remove(QChar(3));
    text.replace(QChar(u'\r'), QChar(u'\n'));
    return text;
}

// The picture accessors of the mode buttons and the help button, by the
// names the layout table gives them.
ModePicture modePicture(const QString &name)
{
    static const auto pictures = std::to_array<std::pair<const char *, ModePicture>>({
        { "trig", ModePicture::Trig },
        { "constants", ModePicture::Constants },
        { "mem", ModePicture::Mem },
        { "misc", ModePicture::Misc },
        { "convert", ModePicture::Convert },
        { "history", ModePicture::History },
        { "RPN", ModePicture::RPN },
        { "help", ModePicture::Help },
        { "ComplexNumbers", ModePicture::ComplexNumbers },
        { "matriciesandvectors", ModePicture::MatriciesAndVectors },
    });
    for (const auto &[pictureName, picture] : pictures)
        if (name == QLatin1String(pictureName))
            return picture;
    Q_UNREACHABLE();
}

QFont captionFont(const QFont &base, int pixelSize, bool bold)
{
    QFont font = base;
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace

winNormalCalculator::winNormalCalculator(
    Preferences &preferences, Speaker &speaker, const UnitTables &unitTables, QMenuBar *menuBar)
    : preferences(preferences)
    , unitTables(unitTables)
{
    setWindowTitle(QStringLiteral("Zorvane"));
    setObjectName(QStringLiteral("winNormalCalculator"));
    if (menuBar)
        setMenuBar(menuBar);

    content = new QWidget(this);
    content->setObjectName(QStringLiteral("content"));
    content->setMinimumSize(WindowLayout::DesignedSize);
    content->setMaximumSize(WindowLayout::MaximumSize);
    content->setFont(captionFont(font(), 12, false));
    content->installEventFilter(this);
    setCentralWidget(content);

    buildControls();
    navigation = new KeyboardNavigation(*this, placed);
    calculator = std::make_unique<CalculatorEngine>(preferences, *this, speaker);
    cnvDisplay->setContentSource([this] {
        const CalculatorState &state = calculator->State();
        return DisplayRenderer::Content { calculator->GetPresentedString(state.CurrentNumber),
            state.flagString, calculator->GetCurrentRPNNoteString(), popTrigMode->currentText() };
    });

    // The controls' own open handlers run before the window's.
    popDisplayBase_Open();
    popTrigMode_Open();
    popMemoryList_Open();
    bevDecimal_Open();
    Open();

    resize(minimumSizeHint());
}

winNormalCalculator::~winNormalCalculator()
{
    // The picker enters values into this window's engine: it goes first.
    delete localDlgConstants;
}

winNormalCalculator *winNormalCalculator::SharedInstance()
{
    return App::instance()->SharedCalculator();
}

void winNormalCalculator::buildControls()
{
    for (const WindowLayout::Control &control : WindowLayout::Controls()) {
        QWidget *widget = createControl(control);
        widget->setObjectName(QString::fromUtf8(control.name));
        widget->setToolTip(QString::fromUtf8(control.helpTag));
        widget->setAccessibleName(QString::fromUtf8(control.spokenName));
        widget->setEnabled(!(control.flags & WindowLayout::Disabled));
        place(control, widget, WindowLayout::DesignedSize);
        const bool hidden = control.flags & WindowLayout::Hidden;
        switch (control.panel) {
        case WindowLayout::Panel::Window:
            widget->setHidden(hidden);
            break;
        case WindowLayout::Panel::Display:
            content->findChild<PagePanel *>(QStringLiteral("panDisplay"))
                ->addControl(control.page, widget, hidden);
            break;
        case WindowLayout::Panel::Mode:
            content->findChild<PagePanel *>(QStringLiteral("panMode"))
                ->addControl(control.page, widget, hidden);
            break;
        }
        placed.emplace_back(&control, widget);
    }
}

QWidget *winNormalCalculator::createControl(const WindowLayout::Control &control)
{
    const QString caption = QString::fromUtf8(control.caption);
    switch (control.kind) {
    case Kind::BevelButton: {
        auto *button = new QPushButton(caption, content);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        if (control.flags & WindowLayout::LargeText)
            button->setFont(captionFont(content->font(), 14, false));
        if (control.action)
            connect(button, &QPushButton::clicked, this,
                [this, button, action = control.action] { action(*this, *button); });
        return button;
    }
    case Kind::ModeButton: {
        auto *button = new LargeIconBevelButton(content);
        if (!caption.isEmpty())
            button->setIcon(ModePictures::Icon(modePicture(caption)));
        if (control.action)
            connect(button, &LargeIconBevelButton::Action, this,
                [this, button, action = control.action] { action(*this, *button); });
        return button;
    }
    case Kind::HelpButton: {
        auto *button = new IconBevelButton(ModePictures::Icon(modePicture(caption)), content);
        connect(button, &IconBevelButton::clicked, this,
            [this, button, action = control.action] { action(*this, *button); });
        return button;
    }
    case Kind::PagePanel:
        return new PagePanel(control.range, content);
    case Kind::GroupBox:
        return new QGroupBox(content);
    case Kind::StaticText: {
        auto *label = new QLabel(caption, content);
        if (control.flags & WindowLayout::Bold)
            label->setFont(captionFont(content->font(), 12, true));
        return label;
    }
    case Kind::PopupMenu:
    case Kind::ComboBox: {
        auto *popup = new QComboBox(content);
        popup->setFocusPolicy(Qt::NoFocus);
        popup->setEditable(control.kind == Kind::ComboBox);
        if (popup->lineEdit())
            popup->lineEdit()->setFocusPolicy(Qt::NoFocus);
        if (!caption.isEmpty())
            popup->addItems(caption.split(QChar(u'\n')));
        if (control.name == std::string_view("popDisplayBase")) {
            popDisplayBase = popup;
            connect(popup, &QComboBox::currentIndexChanged, this, [this] {
                calculator->DisplayBaseChanged();
                clearKeyboardFocus();
            });
        } else if (control.name == std::string_view("popTrigMode")) {
            popTrigMode = popup;
            connect(popup, &QComboBox::currentIndexChanged, this, [this] {
                clearKeyboardFocus();
                calculator->AngleModeChanged();
            });
        } else if (control.name == std::string_view("popMemoryList")) {
            popMemoryList = popup;
            connect(popup, &QComboBox::activated, this, &winNormalCalculator::clearKeyboardFocus);
        }
        return popup;
    }
    case Kind::EditField: {
        auto *field = new QPlainTextEdit(content);
        field->setReadOnly(true);
        // Only a click gives an edit field the focus, never Tab or opening
        // the window, so typed keys go to the calculator until the user
        // chooses to select text here.
        field->setFocusPolicy(Qt::ClickFocus);
        (control.name == std::string_view("txtHistory") ? txtHistory : txtSource) = field;
        return field;
    }
    case Kind::ListBox: {
        lsbRPNStack = new QTreeWidget(content);
        lsbRPNStack->setFocusPolicy(Qt::NoFocus);
        lsbRPNStack->setColumnCount(1);
        lsbRPNStack->setRootIsDecorated(false);
        lsbRPNStack->setHeaderLabel(QStringLiteral("RPN Stack:"));
        return lsbRPNStack;
    }
    case Kind::RadioButton: {
        auto *radio = new QRadioButton(caption, content);
        radio->setFocusPolicy(Qt::NoFocus);
        (control.name == std::string_view("radRPNActive") ? radRPNActive : radRPNInactive) = radio;
        connect(radio, &QRadioButton::clicked, this,
            [this, radio, action = control.action] { action(*this, *radio); });
        return radio;
    }
    case Kind::Canvas:
        cnvDisplay = new DisplayCanvas(content);
        return cnvDisplay;
    case Kind::ProgressBar: {
        prbTests = new FastProgressBar(content);
        prbTests->setMinimum(0);
        prbTests->setMaximum(control.range);
        prbTests->setValue(0);
        return prbTests;
    }
    }
    Q_UNREACHABLE();
}

void winNormalCalculator::place(const WindowLayout::Control &control, QWidget *widget, QSize contentSize)
{
    QRect geometry = WindowLayout::AnchoredGeometry(control, contentSize);
    // A static text wider than its designed box in the user's font runs on
    // to the right rather than losing its last letters.
    if (control.kind == Kind::StaticText)
        geometry.setWidth(std::max(geometry.width(), widget->sizeHint().width()));
    widget->setGeometry(geometry);
}

void winNormalCalculator::layoutControls()
{
    const QSize size = content->size();
    for (const auto &[control, widget] : placed)
        place(*control, widget, size);
}

bool winNormalCalculator::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == content && event->type() == QEvent::Resize)
        layoutControls();
    return QMainWindow::eventFilter(watched, event);
}

void winNormalCalculator::clearKeyboardFocus()
{
    // After a choice in a popup, typed keys go to the calculator again, also
    // when an edit field held the focus before.
    if (QWidget *focus = focusWidget())
        focus->clearFocus();
}

void winNormalCalculator::popDisplayBase_Open()
{
    const QSignalBlocker blocker(popDisplayBase);
    popDisplayBase->clear();
    for (const QString &row : displayBaseRows) {
        if (row.isEmpty())
            popDisplayBase->insertSeparator(popDisplayBase->count());
        else
            popDisplayBase->addItem(row);
    }
    popDisplayBase->setCurrentText(decimalBase);
}

void winNormalCalculator::popTrigMode_Open()
{
    const QSignalBlocker blocker(popTrigMode);
    popTrigMode->clear();
    popTrigMode->addItems(angleModeRows);
    popTrigMode->setCurrentIndex(0);
    clearKeyboardFocus();
}

void winNormalCalculator::popMemoryList_Open()
{
    calculator->CreateMemoryValueList();
    popMemoryList->setCurrentIndex(0);
}

void winNormalCalculator::bevDecimal_Open()
{
    content->findChild<QAbstractButton *>(QStringLiteral("bevDecimal"))->setText(LocalDecimalSeparator());
}

void winNormalCalculator::Open()
{
    // The engine made its script engine's calculation context when it was
    // built. The entry mode is the shared preference: the window shows it
    // without switching it, so nothing is spoken.
    radRPNActive->setChecked(preferences.usingRPNMode);
    radRPNInactive->setChecked(!preferences.usingRPNMode);
    calculator->SetModeAlterControls();
    calculator->RebuildRPNStackListbox();
    SetWindowAlphaToPreferences();
}

int winNormalCalculator::selectedMemoryRegister() const
{
    return popMemoryList->currentIndex();
}

void winNormalCalculator::ShowModePage(int page)
{
    navigation->ShowPage(*content->findChild<PagePanel *>(QStringLiteral("panMode")), page);
}

void winNormalCalculator::ShowConstantsPicker()
{
    if (!localDlgConstants)
        localDlgConstants = new dlgConstants(calculator.get(), this);
    if (localDlgConstants->sourceWindow() != calculator.get())
        localDlgConstants->setSourceWindow(calculator.get());
    if (localDlgConstants->isVisibleNow())
        localDlgConstants->Hide();
    else
        localDlgConstants->Show();
}

void winNormalCalculator::ShowConversionDialog()
{
    dlgConvert::ShowFor(*calculator, *this, unitTables);
}

void winNormalCalculator::ShowHelp()
{
    winHelp::ShowSharedInstance();
}

void winNormalCalculator::ClearHistory()
{
    txtHistory->clear();
}

void winNormalCalculator::SetWindowAlphaToPreferences()
{
    WindowCandy::SetWindowAlpha(this, preferences.windowAlphaUsed ? preferences.windowAlpha : 1.0f);
}

bool winNormalCalculator::EditCopy_Action()
{
    if (const std::optional<QString> text
        = CalculatorClipboard::CopyText(*calculator, preferences.usingRPNMode, DisplayBaseText()))
        QGuiApplication::clipboard()->setText(*text);
    return false;
}

bool winNormalCalculator::EditCut_Action()
{
    EditCopy_Action();
    calculator->Clear();
    return false;
}

bool winNormalCalculator::EditPaste_Action()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (data && data->hasText())
        calculator->EnterConstant(CalculatorClipboard::PastedValue(data->text()));
    return false;
}

bool winNormalCalculator::EditClear_Action()
{
    calculator->Clear();
    return false;
}

bool winNormalCalculator::FileCloseCalculator_Action()
{
    close();
    return false;
}

QString winNormalCalculator::DisplayBaseText() const
{
    return popDisplayBase->currentText();
}

int winNormalCalculator::AngleModeIndex() const
{
    return popTrigMode->currentIndex();
}

QString winNormalCalculator::AngleModeText() const
{
    return popTrigMode->currentText();
}

void winNormalCalculator::AppendToHistory(const QString &entry)
{
    QTextCursor end(txtHistory->document());
    end.movePosition(QTextCursor::End);
    end.insertText(QString(entry).replace(QChar(u'\r'), QChar(u'\n')));
    txtHistory->verticalScrollBar()->setValue(txtHistory->verticalScrollBar()->maximum());
}

void winNormalCalculator::FlickerFreeRefresh()
{
    cnvDisplay->FlickerFreeRefresh();
}

void winNormalCalculator::ShowRPNStack(const QStringList &rows, bool stackIsEmpty)
{
    lsbRPNStack->clear();
    lsbRPNStack->setHeaderLabel(QStringLiteral("RPN Stack:"));
    for (const QString &row : rows) {
        auto *item = new QTreeWidgetItem(lsbRPNStack, { row });
        if (stackIsEmpty) {
            QFont italic = lsbRPNStack->font();
            italic.setItalic(true);
            item->setFont(0, italic);
        }
    }
}

void winNormalCalculator::ShowMemoryList(const QStringList &rows)
{
    const QSignalBlocker blocker(popMemoryList);
    const int selected = popMemoryList->currentIndex();
    popMemoryList->clear();
    popMemoryList->addItems(rows);
    popMemoryList->setCurrentIndex(selected);
}

void winNormalCalculator::SetModeControlsEnabled(bool usingRPNMode)
{
    for (const char *name : { "bevCalculate", "bevOpenBracket", "bevCloseBracket" })
        content->findChild<QWidget *>(QString::fromUtf8(name))->setEnabled(!usingRPNMode);
    content->findChild<QWidget *>(QStringLiteral("bevEnter"))->setEnabled(usingRPNMode);
}

bool winNormalCalculator::ShowErrorDialog(ErrorIcon icon, const QString &message, const QString &explanation)
{
    QMessageBox dialog(icon == ErrorIcon::Caution ? QMessageBox::Warning : QMessageBox::Critical,
        QStringLiteral("Zorvane"), dialogText(message), QMessageBox::Ok, this);
    dialog.setInformativeText(dialogText(explanation));
    QPushButton *sendEmail = dialog.addButton(QStringLiteral("Send Email..."), QMessageBox::ActionRole);
    dialog.setDefaultButton(QMessageBox::Ok);
    dialog.exec();
    return dialog.clickedButton() == sendEmail;
}

void winNormalCalculator::EmailBugReport(const QString &details)
{
    ContactWebsite::EmailBugReport(details);
}

void winNormalCalculator::ShowMessage(const QString &message)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Zorvane"), message, QMessageBox::Ok, this);
    box.exec();
}

void winNormalCalculator::TEST_ALL(CalculatorEngine::RandomSource random)
{
    // The test lets events through, the click on its own key included.
    if (selfTestRunning)
        return;
    if (!random)
        random = [] { return QRandomGenerator::global()->generateDouble(); };
    const QPointer<winNormalCalculator> alive(this);
    selfTestRunning = true;
    {
        SelfTest test(*calculator, *this, preferences, *prbTests, std::move(random), this);
        test.TEST_ALL();
    }
    // A window closed during the test is being deleted; it was kept only
    // while the test ran.
    if (alive)
        selfTestRunning = false;
}

bool winNormalCalculator::KeyDown(const QString &key)
{
    calculator->HandleKeyDown(key);
    txtSource->setPlainText(calculator->State().currentCodeString);
    return false;
}

bool winNormalCalculator::event(QEvent *event)
{
    // While no control has the focus, Tab is a calculator key, not a move of
    // the focus (a focused control moves the focus on by Tab itself).
    if (event->type() == QEvent::KeyPress) {
        auto *keyEvent = static_cast<QKeyEvent *>(event);
        if (keyEvent->key() == Qt::Key_Tab || keyEvent->key() == Qt::Key_Backtab) {
            keyPressEvent(keyEvent);
            return true;
        }
    }
    return QMainWindow::event(event);
}

void winNormalCalculator::keyPressEvent(QKeyEvent *event)
{
    // A focused edit field keeps its keys, also those it does not use.
    const QWidget *focus = focusWidget();
    const bool editFieldHasFocus = focus && (focus == txtHistory || focus == txtSource);
    const std::optional<QString> key = editFieldHasFocus ? std::nullopt : KeyboardInput::KeyText(*event);
    if (!key) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    KeyDown(*key);
    event->accept();
}

bool winNormalCalculator::isBackground(const QPoint &windowPosition) const
{
    const QWidget *child = childAt(windowPosition);
    return child == nullptr || child == content || qobject_cast<const PagePanel *>(child)
        || qobject_cast<const QGroupBox *>(child);
}

void winNormalCalculator::mousePressEvent(QMouseEvent *event)
{
    const QPoint position = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !isBackground(position)) {
        QMainWindow::mousePressEvent(event);
        return;
    }
    originX = position.x();
    originY = position.y();
    // Where the window system moves windows itself, it follows the pointer;
    // elsewhere the window moves by hand with each drag.
    draggingByHand = !(windowHandle() && windowHandle()->startSystemMove());
    event->accept();
}

void winNormalCalculator::mouseMoveEvent(QMouseEvent *event)
{
    if (!draggingByHand || !(event->buttons() & Qt::LeftButton)) {
        QMainWindow::mouseMoveEvent(event);
        return;
    }
    const QPoint position = event->position().toPoint();
    if (position.x() != originX || position.y() != originY)
        move(x() + position.x() - originX, y() + position.y() - originY);
    event->accept();
}

void winNormalCalculator::mouseReleaseEvent(QMouseEvent *event)
{
    draggingByHand = false;
    QMainWindow::mouseReleaseEvent(event);
}
