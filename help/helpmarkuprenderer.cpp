// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/helpmarkuprenderer.h"

#include <QColor>
#include <QFontDatabase>
#include <QTextCursor>
#include <QTextDocument>

namespace {

struct Element
{
    QLatin1StringView open;
    QLatin1StringView close;
    bool bold;
    bool italic;
    qreal pointSize; // 0: size unchanged
    Qt::Alignment alignment; // empty: alignment unchanged
    bool monospaced;
};

// In the order in which the passes run.
constexpr Element elements[] = {
    { QLatin1StringView("<h1>"), QLatin1StringView("</h1>"), true, false, 36, Qt::AlignHCenter, false },
    { QLatin1StringView("<h2>"), QLatin1StringView("</h2>"), true, false, 24, Qt::AlignLeft, false },
    { QLatin1StringView("<h3>"), QLatin1StringView("</h3>"), true, true, 14, Qt::AlignLeft, false },
    { QLatin1StringView("<code>"), QLatin1StringView("</code>"), false, false, 0, {}, true },
    { QLatin1StringView("<b>"), QLatin1StringView("</b>"), true, false, 0, {}, false },
};

constexpr qreal tagPointSize = 1;

QTextCharFormat characterFormat(const Element &element)
{
    QTextCharFormat format;
    if (element.bold)
        format.setFontWeight(QFont::Bold);
    if (element.italic)
        format.setFontItalic(true);
    if (element.pointSize > 0)
        format.setFontPointSize(element.pointSize);
    if (element.monospaced) {
        const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        format.setFontFamilies(QStringList { fixed.family() });
        format.setFontStyleHint(QFont::TypeWriter);
        format.setFontFixedPitch(true);
    }
    return format;
}

QTextCursor selection(QTextDocument *document, qsizetype start, qsizetype length)
{
    QTextCursor cursor(document);
    cursor.setPosition(int(start));
    cursor.setPosition(int(start + length), QTextCursor::KeepAnchor);
    return cursor;
}

// Applies one element's style to the text between each pair of its tags.
// A closing tag is looked for from the opening one on, and the next opening
// tag after the closing one. An opening tag without a closing one ends the
// pass: there is nothing to style up to.
void styleElement(QTextDocument *document, const QString &text, const Element &element)
{
    const QTextCharFormat format = characterFormat(element);
    qsizetype open = text.indexOf(element.open);
    while (open >= 0) {
        const qsizetype close = text.indexOf(element.close, open);
        if (close < 0)
            return;
        const qsizetype start = open + element.open.size();
        QTextCursor cursor = selection(document, start, close - start);
        cursor.mergeCharFormat(format);
        if (element.alignment) {
            QTextBlockFormat block;
            block.setAlignment(element.alignment);
            cursor.mergeBlockFormat(block);
        }
        open = text.indexOf(element.open, close + element.close.size());
    }
}

} // namespace

// The positions in a document's plain text are the positions of its
// characters: each paragraph break is one character in both.

void HelpMarkupRenderer::Render(QTextDocument *document, const QColor &background)
{
    const QString text = document->toPlainText();
    for (const Element &element : elements)
        styleElement(document, text, element);
    HideTags(document, background);
}

void HelpMarkupRenderer::HideTags(QTextDocument *document, const QColor &background)
{
    const QString text = document->toPlainText();
    QTextCharFormat hidden;
    hidden.setFontPointSize(tagPointSize);
    hidden.setForeground(background);
    qsizetype open = text.indexOf(QLatin1Char('<'));
    while (open >= 0) {
        const qsizetype close = text.indexOf(QLatin1Char('>'), open);
        if (close < 0)
            return;
        selection(document, open, close - open + 1).mergeCharFormat(hidden);
        open = text.indexOf(QLatin1Char('<'), close + 1);
    }
}
