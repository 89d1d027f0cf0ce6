// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class Preferences;
class QCheckBox;
class QRadioButton;
class QSlider;

// The "Preferences" window: window transparency (on or off, and how
// transparent) and the two speech options. It has no OK or Cancel: every
// change goes straight into the shared Preferences record and takes effect at
// once. A transparency change raises transparencyChanged(), which the
// application connects to the step that applies the preference to every
// calculator window. At most one exists: SharedInstance() returns the open
// one or makes a new one, which reads the record when it is made. Closing the
// window deletes it; the record keeps every change.
class winPreferences : public QWidget
{
    Q_OBJECT

public:
    explicit winPreferences(Preferences &preferences, QWidget *parent = nullptr);

    // The open preferences window, or a new one (not yet shown) if there is none.
    static winPreferences *SharedInstance(Preferences &preferences);

    // The Close menu command: closes this window. Returns true (handled).
    bool FileCloseCalculator_Action();

Q_SIGNALS:
    // windowAlphaUsed or windowAlpha has changed.
    void transparencyChanged();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Open();
    void radWindowTransparencyOn_Action();
    void radWindowTransparencyOff_Action();
    void sliWindowTransparency_ValueChanged(int position);

    Preferences &preferences;
    bool closing = false; // closed and about to be deleted

    QRadioButton *radWindowTransparencyOn;
    QRadioButton *radWindowTransparencyOff;
    QSlider *sliWindowTransparency;
    QCheckBox *chkSpeakResults;
    QCheckBox *chkSpeakKeypresses;
};
