// SPDX-License-Identifier: GPL-3.0-or-later
// Under a dark system palette every window stays legible: each widget that
// shows text draws it in colours that contrast with its background, and
// every table cell with a colour of its own does too. The display keeps its
// own colours and is left out.
#include "app/preferences.h"
#include "app/winpreferences.h"
#include "constants/dlgconstants.h"
#include "conversion/dlgconvert.h"
#include "conversion/unittables.h"
#include "engine/calculatorengine.h"
#include "help/colourcontrast.h"
#include "help/winabout.h"
#include "help/winhelp.h"
#include "tools/recordingspeaker.h"
#include "window/displaycanvas.h"
#include "window/winnormalcalculator.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <memory>

namespace {

// Light text on dark grey, as dark desktop themes give it.
QPalette darkPalette()
{
    QPalette palette(QColor(0x3c, 0x3c, 0x3c), QColor(0x2b, 0x2b, 0x2b));
    const QColor text(0xee, 0xee, 0xee);
    for (const QPalette::ColorRole role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
        palette.setColor(role, text);
    palette.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    palette.setColor(QPalette::AlternateBase, QColor(0x2b, 0x2b, 0x2b));
    palette.setColor(QPalette::Highlight, QColor(0x3d, 0x7a, 0xd6));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(0x6e, 0xa8, 0xff));
    return palette;
}

bool showsText(const QWidget *widget)
{
    return qobject_cast<const QLabel *>(widget) || qobject_cast<const QAbstractButton *>(widget)
        || qobject_cast<const QComboBox *>(widget) || qobject_cast<const QGroupBox *>(widget)
        || qobject_cast<const QPlainTextEdit *>(widget) || qobject_cast<const QTextEdit *>(widget)
        || qobject_cast<const QAbstractItemView *>(widget);
}

} // namespace

class TestDarkPalette : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<Preferences> preferences;
    RecordingSpeaker speaker;
    UnitTables unitTables;

    // Fails for each text widget of window whose text does not stand out
    // from its background, and for each coloured table cell likewise.
    static void checkLegible(QWidget *window)
    {
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            if (!showsText(widget) || qobject_cast<DisplayCanvas *>(widget))
                continue;
            const QPalette &palette = widget->palette();
            const QColor text = palette.color(widget->foregroundRole());
            const QColor background = palette.color(widget->backgroundRole());
            QVERIFY2(ColourContrast::Between(text, background) >= ColourContrast::Legible,
                qPrintable(QStringLiteral("%1 %2 in %3: %4 on %5")
                               .arg(widget->metaObject()->className(), widget->objectName(),
                                   window->metaObject()->className(), text.name(), background.name())));
            const auto *view = qobject_cast<QAbstractItemView *>(widget);
            if (!view || !view->model())
                continue;
            const QAbstractItemModel *model = view->model();
            for (int row = 0; row < model->rowCount(); ++row) {
                for (int column = 0; column < model->columnCount(); ++column) {
                    const QModelIndex index = model->index(row, column);
                    const QVariant foreground = index.data(Qt::ForegroundRole);
                    if (!foreground.isValid())
                        continue;
                    const QVariant cell = index.data(Qt::BackgroundRole);
                    const QColor cellBackground
                        = cell.isValid() ? cell.value<QBrush>().color() : palette.color(QPalette::Base);
                    QVERIFY2(ColourContrast::Between(foreground.value<QBrush>().color(), cellBackground)
                            >= ColourContrast::Legible,
                        qPrintable(
                            QStringLiteral("cell %1,%2 of %3").arg(row).arg(column).arg(view->objectName())));
                }
            }
        }
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(darkPalette());
        preferences = std::make_unique<Preferences>(dir.filePath(QStringLiteral("Zorvane Preferences")));
        unitTables.LoadConversionRates(RateFolders(QStringList()));
    }

    void calculatorWindowIsLegible()
    {
        winNormalCalculator window(*preferences, speaker, unitTables);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        checkLegible(&window);
    }

    void dialogsAreLegible()
    {
        winNormalCalculator window(*preferences, speaker, unitTables);
        dlgConvert convert(unitTables);
        dlgConstants constants(&window.engine(), &window);
        winPreferences preferencesWindow(*preferences);
        for (QWidget *dialog :
            std::initializer_list<QWidget *> { &convert, &constants, &preferencesWindow }) {
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            checkLegible(dialog);
        }
    }

    void helpAndAboutAreLegible()
    {
        for (QWidget *window : std::initializer_list<QWidget *> {
                 winHelp::ShowSharedInstance(), winAbout::ShowSharedInstance() }) {
            QVERIFY(QTest::qWaitForWindowExposed(window));
            checkLegible(window);
            window->close();
        }
    }
};

QTEST_MAIN(TestDarkPalette)
#include "tst_darkpalette.moc"
