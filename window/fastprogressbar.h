// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// A plain progress bar. Minimum, Maximum and Value are plain values: setting
// them does not redraw; the owner refreshes the bar when it wants it shown.
// The bar is a pale tinge of the highlight colour, filled with the highlight
// colour up to the fraction (Value - Minimum) / (Maximum - Minimum) of the
// width. Values outside the range are not clamped: the fill runs past the
// right edge (clipped) or is empty.
class FastProgressBar : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Minimum READ Minimum WRITE setMinimum)
    Q_PROPERTY(int Maximum READ Maximum WRITE setMaximum)
    Q_PROPERTY(int Value READ Value WRITE setValue)

public:
    explicit FastProgressBar(QWidget *parent = nullptr);

    int Minimum() const { return minimum; }
    int Maximum() const { return maximum; }
    int Value() const { return value; }
    void setMinimum(int newMinimum) { minimum = newMinimum; }
    void setMaximum(int newMaximum) { maximum = newMaximum; }
    void setValue(int newValue) { value = newValue; }

    // The visible width (0 to w) of the highlighted part of a bar w pixels
    // wide. An empty range (Maximum equal to Minimum) counts as done once
    // Value reaches it.
    int filledWidth(int w) const;

    // The bar's background: a pale tint of the highlight colour over the base.
    QColor tingeColour() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int minimum = 0;
    int maximum = 100;
    int value = 0;
};
