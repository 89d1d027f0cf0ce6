// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/helpmarkuprenderer.h"
#include "help/hyperlinkcontrol.h"
#include "help/winabout.h"
#include "help/winhelp.h"

#include <QAbstractTextDocumentLayout>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>
#include <cmath>

// Records the addresses that the desktop is asked to open, instead of
// starting a browser.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    explicit UrlCatcher(const QString &scheme)
        : scheme(scheme)
    {
        QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(scheme); }

    const QString scheme;
    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl &url) { opened.append(url); }
};

namespace {

// The help topics and the heading level of each, in their order.
const QList<QPair<QString, int>> expectedTopics = {
    { QStringLiteral("Basic features"), 2 },
    { QStringLiteral("Number-pad"), 3 },
    { QStringLiteral("Basic arithmetic"), 3 },
    { QStringLiteral("Advanced arithmetic"), 3 },
    { QStringLiteral("Advanced features"), 2 },
    { QStringLiteral("Trigonometry"), 3 },
    { QStringLiteral("Constants"), 3 },
    { QStringLiteral("Memory"), 3 },
    { QStringLiteral("Miscellaneous functions"), 3 },
    { QStringLiteral("Conversion tool"), 3 },
    { QStringLiteral("History"), 3 },
};

// The format of the character at a position of the document.
QTextCharFormat formatAt(const QTextDocument *document, int position)
{
    const QTextBlock block = document->findBlock(position);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (position >= fragment.position() && position < fragment.position() + fragment.length())
            return fragment.charFormat();
    }
    return block.charFormat();
}

// Each tag as the start and the length of its run, "<" to ">" inclusive.
QList<QPair<int, int>> tagRuns(const QString &text)
{
    QList<QPair<int, int>> runs;
    for (int open = int(text.indexOf(QLatin1Char('<'))); open >= 0;
         open = int(text.indexOf(QLatin1Char('<'), open + 1))) {
        const int close = int(text.indexOf(QLatin1Char('>'), open));
        if (close < 0)
            break;
        runs.append({ open, close - open + 1 });
        open = close;
    }
    return runs;
}

// WCAG 2 contrast ratio of two colours.
double contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto linear
            = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette darkPalette()
{
    QPalette palette(QColor(0x35, 0x35, 0x35), QColor(0x2a, 0x2a, 0x2a));
    palette.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    palette.setColor(QPalette::Text, QColor(0xe0, 0xe0, 0xe0));
    palette.setColor(QPalette::WindowText, QColor(0xe0, 0xe0, 0xe0));
    return palette;
}

QTextEdit *helpText(winHelp *window)
{
    return window->findChild<QTextEdit *>(QStringLiteral("txtHelpText"));
}

QListWidget *topicList(winHelp *window)
{
    return window->findChild<QListWidget *>(QStringLiteral("lstHelpContents"));
}

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

    // Asking twice shows one window; once it is closed, the next demand
    // builds a fresh one.
    template <class Window> void checkOneWindowAtATime()
    {
        Window *first = Window::ShowSharedInstance();
        QCOMPARE(Window::ShowSharedInstance(), first);
        QCOMPARE(Window::SharedInstance(), first);
        QVERIFY(first->isVisible());
        int windows = 0;
        for (QWidget *window : QApplication::topLevelWidgets())
            windows += qobject_cast<Window *>(window) ? 1 : 0;
        QCOMPARE(windows, 1);

        QPointer<Window> closed = first;
        QVERIFY(first->FileCloseCalculator_Action());
        QVERIFY(!closed->isVisible());
        Window *second = Window::ShowSharedInstance();
        QVERIFY(second != closed.data());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(closed.isNull());
        QCOMPARE(Window::SharedInstance(), second);
    }

private Q_SLOTS:
    void cleanup()
    {
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget *window : windows)
            delete window;
    }

    void helpWindowHasItsTitleAndTopics()
    {
        winHelp *window = winHelp::SharedInstance();
        QCOMPARE(window->windowTitle(), QStringLiteral("Help"));
        QCOMPARE(window->size(), QSize(640, 470));
        QListWidget *list = topicList(window);
        QVERIFY(list);
        QCOMPARE(list->count(), expectedTopics.size());
        for (int row = 0; row < list->count(); ++row)
            QCOMPARE(list->item(row)->text(), expectedTopics.at(row).first);
        auto *label = window->findChild<QLabel *>(QStringLiteral("lblTopics"));
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("Topics:"));
        QVERIFY(helpText(window)->isReadOnly());
    }

    // The guide opens at its beginning, with the reading keys on the text.
    void helpWindowOpensAtTheWelcome()
    {
        winHelp *window = winHelp::ShowSharedInstance();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTextEdit *text = helpText(window);
        QCOMPARE(QApplication::focusWidget(), text);
        QCOMPARE(text->verticalScrollBar()->value(), 0);
        QCOMPARE(topicList(window)->currentRow(), -1);
    }

    // The guide opens with the main heading; every topic follows as a
    // heading of its level, in the list's order, on a line of its own with a
    // blank line after it.
    void guideHeadingsFollowTheTopics()
    {
        const QStringList lines = helpText(winHelp::SharedInstance())->toPlainText().split(QLatin1Char('\n'));
        const QRegularExpression heading(QStringLiteral("^<h([123])>(.*)</h\\1>$"));
        QList<QPair<QString, int>> found;
        for (int i = 0; i < lines.size(); ++i) {
            const QRegularExpressionMatch match = heading.match(lines.at(i));
            if (!match.hasMatch())
                continue;
            found.append({ match.captured(2), match.captured(1).toInt() });
            QVERIFY2(i + 1 < lines.size() && lines.at(i + 1).isEmpty(), qPrintable(lines.at(i)));
        }
        QVERIFY(!found.isEmpty());
        QCOMPARE(found.takeFirst(), qMakePair(QStringLiteral("Welcome to Zorvane"), 1));
        QCOMPARE(found, expectedTopics);
        QVERIFY(lines.first().startsWith(QStringLiteral("<h1>")));
    }

    // Every tag is drawn at 1 pt in the field's background colour, and no
    // other character is.
    void guideTagsAreHidden()
    {
        QTextEdit *text = helpText(winHelp::SharedInstance());
        const QTextDocument *document = text->document();
        const QString plain = document->toPlainText();
        const QColor background = text->palette().color(QPalette::Base);
        const QList<QPair<int, int>> tags = tagRuns(plain);
        QVERIFY(tags.size() > 100);

        QList<bool> inTag(plain.size(), false);
        for (const auto &[start, length] : tags) {
            for (int i = start; i < start + length; ++i) {
                inTag[i] = true;
                const QTextCharFormat format = formatAt(document, i);
                QVERIFY2(format.fontPointSize() == 1, qPrintable(plain.mid(start, length)));
                QCOMPARE(format.foreground().color(), background);
            }
        }
        for (int i = 0; i < plain.size(); ++i) {
            if (inTag.at(i) || plain.at(i) == QLatin1Char('\n'))
                continue;
            const QTextCharFormat format = formatAt(document, i);
            QVERIFY2(format.fontPointSize() != 1, qPrintable(plain.mid(std::max(0, i - 20), 40)));
            QVERIFY2(!format.hasProperty(QTextFormat::ForegroundBrush), qPrintable(plain.mid(i, 20)));
        }
    }

    // The guide uses only the mark-up's tags: a stray "<" in the prose would
    // hide the text up to the next ">".
    void guideHoldsOnlyKnownTags()
    {
        const QString plain = helpText(winHelp::SharedInstance())->toPlainText();
        const QStringList known = { QStringLiteral("<h1>"), QStringLiteral("</h1>"), QStringLiteral("<h2>"),
            QStringLiteral("</h2>"), QStringLiteral("<h3>"), QStringLiteral("</h3>"),
            QStringLiteral("<code>"), QStringLiteral("</code>"), QStringLiteral("<b>"),
            QStringLiteral("</b>") };
        for (const auto &[start, length] : tagRuns(plain))
            QVERIFY2(known.contains(plain.mid(start, length)), qPrintable(plain.mid(start, 40)));
        QCOMPARE(plain.count(QLatin1Char('<')), plain.count(QLatin1Char('>')));
    }

    void guideHeadingsAreStyled_data()
    {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<int>("level");
        QTest::newRow("main") << QStringLiteral("Welcome to Zorvane") << 1;
        for (const auto &[topic, level] : expectedTopics)
            QTest::newRow(qPrintable(topic)) << topic << level;
    }

    void guideHeadingsAreStyled()
    {
        QFETCH(QString, heading);
        QFETCH(int, level);
        const qreal sizes[] = { 36, 24, 14 };
        const QTextDocument *document = helpText(winHelp::SharedInstance())->document();
        const QString open = QStringLiteral("<h%1>").arg(level);
        const int start
            = int(document->toPlainText().indexOf(open + heading + QStringLiteral("</h"))) + int(open.size());
        QVERIFY(start >= open.size());
        for (int i = start; i < start + heading.size(); ++i) {
            const QTextCharFormat format = formatAt(document, i);
            QCOMPARE(format.fontWeight(), int(QFont::Bold));
            QCOMPARE(format.fontItalic(), level == 3);
            QCOMPARE(format.fontPointSize(), sizes[level - 1]);
        }
        const Qt::Alignment alignment
            = document->findBlock(start).blockFormat().alignment() & Qt::AlignHorizontal_Mask;
        QCOMPARE(alignment, level == 1 ? Qt::AlignHCenter : Qt::AlignLeft);
    }

    // The worked examples of "Advanced arithmetic" are code runs over two
    // lines, each set in the monospaced font on all its lines.
    void guideMultiLineCodeIsMonospaced_data()
    {
        QTest::addColumn<QString>("run");
        QTest::newRow("precedence") << QStringLiteral("1+2*3+4=\n11");
        QTest::newRow("brackets") << QStringLiteral("(1+2)*(3+4)=\n21");
    }

    void guideMultiLineCodeIsMonospaced()
    {
        QFETCH(QString, run);
        const QTextDocument *document = helpText(winHelp::SharedInstance())->document();
        const QString plain = document->toPlainText();
        const int start = int(plain.indexOf(QStringLiteral("<code>") + run + QStringLiteral("</code>"))) + 6;
        QVERIFY(start >= 6);
        const QString fixedFamily = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
        for (int i = start; i < start + run.size(); ++i) {
            if (plain.at(i) == QLatin1Char('\n'))
                continue;
            const QTextCharFormat format = formatAt(document, i);
            QCOMPARE(format.fontFamilies().toStringList(), QStringList { fixedFamily });
            QVERIFY(QFontInfo(format.font()).fixedPitch());
        }
        // The prose around it is not monospaced.
        QVERIFY(!QFontInfo(formatAt(document, start - 10).font()).fixedPitch());
    }

    void topicClickScrollsItsHeadingToTheTop_data()
    {
        QTest::addColumn<int>("row");
        for (int row = 0; row < expectedTopics.size(); ++row)
            QTest::newRow(qPrintable(expectedTopics.at(row).first)) << row;
    }

    void topicClickScrollsItsHeadingToTheTop()
    {
        QFETCH(int, row);
        winHelp *window = winHelp::ShowSharedInstance();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTextEdit *text = helpText(window);
        QListWidget *list = topicList(window);
        const auto &[topic, level] = expectedTopics.at(row);
        const QString open = QStringLiteral("<h%1>").arg(level);
        const int heading
            = int(text->toPlainText().indexOf(open + topic + QStringLiteral("</h"))) + int(open.size());
        QVERIFY(heading >= open.size());

        // Lay the whole guide out, so that the scroll range is the real one
        // and not an estimate; start from the other end, then click.
        QScrollBar *scrollBar = text->verticalScrollBar();
        const int documentHeight = qCeil(text->document()->documentLayout()->documentSize().height());
        QTRY_COMPARE(scrollBar->maximum(), documentHeight - text->viewport()->height());
        scrollBar->setValue(row < 6 ? scrollBar->maximum() : 0);
        QTest::mouseClick(
            list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());

        QVERIFY(scrollBar->value() > 0);
        QTextCursor cursor(text->document());
        cursor.setPosition(heading);
        QVERIFY2(std::abs(text->cursorRect(cursor).top()) <= 1, qPrintable(topic));
        QCOMPARE(text->cursorForPosition(QPoint(text->viewport()->width() / 2, 1)).block().position(),
            text->document()->findBlock(heading).position());
    }

    void topicNotFoundScrollsToTheTop()
    {
        winHelp *window = winHelp::ShowSharedInstance();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTextEdit *text = helpText(window);
        text->verticalScrollBar()->setValue(text->verticalScrollBar()->maximum() / 2);
        topicList(window)->item(7)->setText(QStringLiteral("No such topic"));
        QCOMPARE(window->lstHelpContents_CellClick(7), false);
        QCOMPARE(text->verticalScrollBar()->value(), 0);
    }

    // A search for a topic goes by the tags around it: the words alone,
    // in the prose, do not count, and letter case does not matter.
    void topicSearchNeedsTheHeadingTags()
    {
        winHelp *window = winHelp::ShowSharedInstance();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTextEdit *text = helpText(window);
        QListWidget *list = topicList(window);
        list->item(0)->setText(QStringLiteral("CONVERSION TOOL"));
        window->lstHelpContents_CellClick(0);
        const int heading = int(text->toPlainText().indexOf(QStringLiteral("<h3>Conversion tool</h3>"))) + 4;
        QCOMPARE(text->cursorForPosition(QPoint(10, 1)).block().position(),
            text->document()->findBlock(heading).position());
    }

    void darkPaletteKeepsTagsHidden()
    {
        winHelp *window = winHelp::SharedInstance();
        window->setPalette(darkPalette());
        QTextEdit *text = helpText(window);
        const QColor background = text->palette().color(QPalette::Base);
        QCOMPARE(background, QColor(0x1e, 0x1e, 0x1e));
        const QTextDocument *document = text->document();
        for (const auto &[start, length] : tagRuns(document->toPlainText())) {
            for (int i = start; i < start + length; ++i)
                QCOMPARE(formatAt(document, i).foreground().color(), background);
        }
        QVERIFY(contrast(text->palette().color(QPalette::Text), background) >= 4.5);
    }

    void oneHelpWindowAtATime() { checkOneWindowAtATime<winHelp>(); }

    void renderer_data()
    {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<QString>("bold"); // 'b' where the character must be bold
        QTest::addColumn<QString>("hidden"); // 'h' where the character must be a hidden tag
        QTest::newRow("bold") << QStringLiteral("a<b>bc</b>d") << QStringLiteral("....bb.....")
                              << QStringLiteral(".hhh..hhhh.");
        QTest::newRow("two runs") << QStringLiteral("<b>x</b>y<b>z</b>")
                                  << QStringLiteral("...b........b....")
                                  << QStringLiteral("hhh.hhhh.hhh.hhhh");
        QTest::newRow("no closing tag")
            << QStringLiteral("<b>xy") << QStringLiteral(".....") << QStringLiteral("hhh..");
        QTest::newRow("lone bracket")
            << QStringLiteral("1 < 2") << QStringLiteral(".....") << QStringLiteral(".....");
        QTest::newRow("unknown tag") << QStringLiteral("<i>x</i>") << QStringLiteral("........")
                                     << QStringLiteral("hhh.hhhh");
        QTest::newRow("across lines")
            << QStringLiteral("<b>x\ny</b>") << QStringLiteral("...b.b....") << QStringLiteral("hhh...hhhh");
    }

    void renderer()
    {
        QFETCH(QString, markup);
        QFETCH(QString, bold);
        QFETCH(QString, hidden);
        QTextDocument document;
        document.setPlainText(markup);
        const QColor background(0x12, 0x34, 0x56);
        HelpMarkupRenderer::Render(&document, background);
        QCOMPARE(document.toPlainText(), markup); // tags are never removed
        for (int i = 0; i < markup.size(); ++i) {
            if (markup.at(i) == QLatin1Char('\n'))
                continue;
            const QTextCharFormat format = formatAt(&document, i);
            QCOMPARE(format.fontWeight() == QFont::Bold, bold.at(i) == QLatin1Char('b'));
            const bool isHidden = format.fontPointSize() == 1 && format.foreground().color() == background;
            QCOMPARE(isHidden, hidden.at(i) == QLatin1Char('h'));
        }
    }

    void aboutWindowTexts()
    {
        winAbout *window = winAbout::ShowSharedInstance();
        QCOMPARE(window->windowTitle(), QStringLiteral("About Zorvane"));
        auto *about = window->findChild<QLabel *>(QStringLiteral("lblAboutText"));
        auto *line = window->findChild<QLabel *>(QStringLiteral("StaticText1"));
        auto *link = window->findChild<HyperlinkControl *>(QStringLiteral("lblWeblink"));
        QVERIFY(about && line && link);
        QCOMPARE(about->text(), QStringLiteral("Zorvane 1.1.0"));
        QVERIFY(!line->text().trimmed().isEmpty());
        QCOMPARE(link->text(), QStringLiteral("https://zorvane.org/"));
        QVERIFY(window->width() >= 300 && window->height() >= 110);
        QCOMPARE(window->minimumSize(), window->maximumSize());

        int previousBottom = 0;
        for (QLabel *label : { about, line, static_cast<QLabel *>(link) }) {
            QCOMPARE(label->font().pointSize(), 16);
            QVERIFY(label->font().bold());
            QCOMPARE(label->alignment(), Qt::AlignCenter);
            QCOMPARE(label->x(), 0);
            QCOMPARE(label->width(), window->width());
            // Nothing is cut off and no label covers another.
            QVERIFY(label->sizeHint().width() <= label->width());
            QVERIFY(label->sizeHint().height() <= label->height());
            QVERIFY(label->y() >= previousBottom);
            previousBottom = label->y() + label->height();
        }
        QVERIFY(previousBottom <= window->height());
    }

    void aboutWindowColours()
    {
        winAbout *window = winAbout::ShowSharedInstance();
        auto *about = window->findChild<QLabel *>(QStringLiteral("lblAboutText"));
        auto *line = window->findChild<QLabel *>(QStringLiteral("StaticText1"));
        auto *link = window->findChild<QLabel *>(QStringLiteral("lblWeblink"));
        const auto textColour = [](QLabel *label) { return label->palette().color(QPalette::WindowText); };

        // On a light window: the designed near-black text and blue link.
        QVERIFY(window->palette().color(QPalette::Window).lightness() > 200);
        QCOMPARE(textColour(about), QColor(0x16, 0x1C, 0x00));
        QCOMPARE(textColour(line), QColor(0x16, 0x1C, 0x00));
        QCOMPARE(textColour(link), QColor(0x00, 0x00, 0xFF));

        // On a dark window every line stays legible.
        window->setPalette(darkPalette());
        const QColor background = window->palette().color(QPalette::Window);
        for (QLabel *label : { about, line, link })
            QVERIFY2(contrast(textColour(label), background) >= 4.5, qPrintable(label->objectName()));
        // The link still looks like one: blue.
        const QColor linkShade = textColour(link);
        QVERIFY(linkShade.blue() > linkShade.red() && linkShade.blue() > linkShade.green());
    }

    void oneAboutWindowAtATime() { checkOneWindowAtATime<winAbout>(); }

    // The address opens as the button goes down, whether or not it is
    // released over the label.
    void linkOpensAtMouseDown()
    {
        UrlCatcher catcher(QStringLiteral("https"));
        winAbout *window = winAbout::ShowSharedInstance();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        auto *link = window->findChild<HyperlinkControl *>(QStringLiteral("lblWeblink"));

        QTest::mousePress(link, Qt::LeftButton, {}, QPoint(3, link->height() / 2));
        QCOMPARE(catcher.opened, QList<QUrl> { QUrl(QStringLiteral("https://zorvane.org/")) });
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-50, -50));
        QCOMPARE(catcher.opened.size(), 1);

        // Only the primary button follows the link.
        QTest::mouseClick(link, Qt::RightButton, {}, link->rect().center());
        QCOMPARE(catcher.opened.size(), 1);
    }

    void linkOpensItsOwnText()
    {
        UrlCatcher catcher(QStringLiteral("zorvanetest"));
        HyperlinkControl link;
        link.setText(QStringLiteral("zorvanetest://example/page?x=1"));
        link.resize(200, 20);
        QTest::mousePress(&link, Qt::LeftButton, {}, QPoint(150, 10));
        QCOMPARE(catcher.opened, QList<QUrl> { QUrl(QStringLiteral("zorvanetest://example/page?x=1")) });
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
