// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QColor;
class QTextDocument;

// Styles a text written in the help mark-up. Five elements, each an opening
// and a closing tag around a run of text on one line or several:
//   <h1>…</h1>      main heading: bold, centred, 36 pt
//   <h2>…</h2>      section heading: bold, left-aligned, 24 pt
//   <h3>…</h3>      topic heading: bold, italic, left-aligned, 14 pt
//   <code>…</code>  the monospaced font, size unchanged
//   <b>…</b>        bold
// The tags stay in the text, so that searches can find them, but are drawn
// at 1 pt in the field's background colour. Every run from a "<" to the
// next ">" counts as a tag; the mark-up has no escape for a literal "<".
class HelpMarkupRenderer
{
public:
    // Styles every element, then hides every tag in the given background
    // colour. The text itself is never changed.
    static void Render(QTextDocument *document, const QColor &background);

    // Sets every tag to 1 pt in the given colour; used again when the
    // field's background colour changes.
    static void HideTags(QTextDocument *document, const QColor &background);
};
