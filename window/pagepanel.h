// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QWidget>

// A panel that shows one of several pages. The controls of a page are not
// children of the panel: they sit on the window at window coordinates, above
// the panel, and the panel only shows the controls of its current page and
// hides the others. So a control of a page is never clipped by the panel and
// keeps its own anchoring. A control that is hidden in its own right stays
// hidden whatever page is shown.
class PagePanel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int currentPage READ currentPage WRITE setCurrentPage NOTIFY currentPageChanged)

public:
    PagePanel(int pageCount, QWidget *parent);

    int pageCount() const { return static_cast<int>(pages.size()); }
    int currentPage() const { return current; }
    void setCurrentPage(int page);

    // Puts control on page; hidden marks a control that stays hidden.
    void addControl(int page, QWidget *control, bool hidden);

Q_SIGNALS:
    void currentPageChanged(int page);

private:
    struct Member
    {
        QWidget *control;
        bool hidden;
    };
    void updateVisibility();

    QList<QList<Member>> pages;
    int current = 0;
};
