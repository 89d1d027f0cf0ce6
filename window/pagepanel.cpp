// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/pagepanel.h"

PagePanel::PagePanel(int pageCount, QWidget *parent)
    : QWidget(parent)
    , pages(pageCount)
{ }

void PagePanel::setCurrentPage(int page)
{
    if (page < 0 || page >= pageCount())
        return;
    const bool changed = page != current;
    current = page;
    updateVisibility();
    if (changed)
        Q_EMIT currentPageChanged(page);
}

void PagePanel::addControl(int page, QWidget *control, bool hidden)
{
    pages[page].append({ control, hidden });
    control->setVisible(page == current && !hidden);
}

void PagePanel::updateVisibility()
{
    // Hide the leaving page first, so two pages never show at once.
    for (int page = 0; page < pageCount(); ++page)
        if (page != current)
            for (const Member &member : pages[page])
                member.control->setVisible(false);
    for (const Member &member : pages[current])
        member.control->setVisible(!member.hidden);
}
