// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/winhelp.h"

#include "help/helpmarkuprenderer.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextFrame>
#include <QTextLayout>

namespace {

// Each topic is the exact text of a heading in the guide.
constexpr const char *topics[] = {
    "Basic features",
    "Number-pad",
    "Basic arithmetic",
    "Advanced arithmetic",
    "Advanced features",
    "Trigonometry",
    "Constants",
    "Memory",
    "Miscellaneous functions",
    "Conversion tool",
    "History",
};

const QString guideResource = QStringLiteral(":/help/guide.txt");

constexpr int textPointSize = 12;

// Layout in pixels: the topic list keeps its left edge and width and
// stretches in height; the guide stretches in both directions.
constexpr QSize initialSize(640, 470);
constexpr QSize smallestSize(320, 200);
constexpr QRect labelGeometry(10, 4, 100, 20);
constexpr int listLeft = 10, listTop = 22, listWidth = 140, listBottomGap = 10;
constexpr int textLeft = 160, textBottomGap = 10;

QString loadGuide()
{
    QFile file(guideResource);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

winHelp *winHelp::SharedInstance()
{
    return Instance<winHelp>();
}

winHelp *winHelp::ShowSharedInstance()
{
    return ShowInstance<winHelp>();
}

winHelp::winHelp()
    : lblTopics(new QLabel(QStringLiteral("Topics:"), this))
    , lstHelpContents(new QListWidget(this))
    , txtHelpText(new QTextEdit(this))
{
    setWindowTitle(QStringLiteral("Help"));
    QFont textFont = font();
    textFont.setPointSize(textPointSize);
    setFont(textFont);
    setMinimumSize(smallestSize);

    lblTopics->setObjectName(QStringLiteral("lblTopics"));
    lblTopics->setBuddy(lstHelpContents);

    lstHelpContents->setObjectName(QStringLiteral("lstHelpContents"));
    // Long topic names wrap onto a second line rather than hide their end.
    lstHelpContents->setWordWrap(true);
    lstHelpContents->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (const char *topic : topics)
        lstHelpContents->addItem(QString::fromUtf8(topic));
    // A click on any row, also on the current one, and moving through the
    // list with the keyboard both bring the topic into view.
    connect(lstHelpContents, &QListWidget::itemClicked, this,
        [this](QListWidgetItem *item) { lstHelpContents_CellClick(lstHelpContents->row(item)); });
    connect(lstHelpContents, &QListWidget::currentRowChanged, this,
        [this](int row) { lstHelpContents_CellClick(row); });

    txtHelpText->setObjectName(QStringLiteral("txtHelpText"));
    txtHelpText->setReadOnly(true);
    txtHelpText->setUndoRedoEnabled(false);
    txtHelpText->installEventFilter(this);
    txtHelpText->viewport()->installEventFilter(this);
    txtHelpText_Open();
    // The reading keys go to the guide, and the topic list does not pick
    // its first row by itself, which would scroll past the welcome.
    txtHelpText->setFocus();

    resize(initialSize);
}

// Loads the guide and styles it. This runs when the window is built, that
// is on the first demand for help, so starting the application costs
// nothing for it.
void winHelp::txtHelpText_Open()
{
    txtHelpText->setPlainText(loadGuide());
    HelpMarkupRenderer::Render(txtHelpText->document(), txtHelpText->palette().color(QPalette::Base));
}

bool winHelp::lstHelpContents_CellClick(int row)
{
    QListWidgetItem *item = lstHelpContents->item(row);
    if (!item)
        return false;
    // The topic's text right after an opening tag and right before a
    // closing one, so that a mention of the word in the prose never counts.
    const QString heading = QLatin1Char('>') + item->text() + QStringLiteral("</");
    scrollLineToTop(txtHelpText->toPlainText().indexOf(heading, 0, Qt::CaseInsensitive));
    return false;
}

// Scrolls the guide so that the line holding the character at the given
// position is the first line shown; a position of -1 (not found) scrolls to
// the top.
void winHelp::scrollLineToTop(qsizetype position)
{
    int top = 0;
    QTextDocument *document = txtHelpText->document();
    const QTextBlock block = document->findBlock(int(position));
    if (position >= 0 && block.isValid()) {
        // Asking for the block's rectangle lays the document out up to it.
        const QRectF blockRect = document->documentLayout()->blockBoundingRect(block);
        const QTextLayout *layout = block.layout();
        const QTextLine line = layout->lineForTextPosition(int(position - block.position()));
        top = qRound(line.isValid() ? layout->position().y() + line.y() : blockRect.top());
    }
    txtHelpText->verticalScrollBar()->setValue(top);
}

// Leaves a viewport's height of room below the guide's end, so that the
// heading of the last topic can also be scrolled to the top line.
void winHelp::keepRoomToScrollLastLineToTop()
{
    QTextFrame *root = txtHelpText->document()->rootFrame();
    QTextFrameFormat format = root->frameFormat();
    const int room = txtHelpText->viewport()->height();
    if (format.bottomMargin() != room) {
        format.setBottomMargin(room);
        root->setFrameFormat(format);
    }
}

bool winHelp::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtHelpText->viewport() && event->type() == QEvent::Resize)
        keepRoomToScrollLastLineToTop();
    else if (watched == txtHelpText && event->type() == QEvent::PaletteChange)
        HelpMarkupRenderer::HideTags(txtHelpText->document(), txtHelpText->palette().color(QPalette::Base));
    return SharedWindow::eventFilter(watched, event);
}

void winHelp::resizeEvent(QResizeEvent *event)
{
    SharedWindow::resizeEvent(event);
    lblTopics->setGeometry(labelGeometry);
    lstHelpContents->setGeometry(listLeft, listTop, listWidth, height() - listTop - listBottomGap);
    txtHelpText->setGeometry(textLeft, 0, width() - textLeft, height() - textBottomGap);
}
