#include "varenta/table/HelpWindow.h"
#include "varenta/table/TableStatusBar.h"
#include "varenta/table/TableTexts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTextBrowser>
#include <QToolTip>

namespace varenta {
namespace {

const QWidget* OpenTip() {
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->windowType() == Qt::ToolTip && widget->inherits("QTipLabel") &&
            widget->isVisible()) {
            return widget;
        }
    }
    return nullptr;
}

TEST(TableStatusBar, ErrorIsRedBoldWithABeepUntilTheBlinkEnds) {
    TableStatusBar bar;
    int beeps = 0;
    bar.SetBeep([&] { ++beeps; });
    bar.ShowHintText("hint");
    EXPECT_EQ(bar.LineText(), "hint");
    EXPECT_FALSE(bar.LineIsError());
    EXPECT_EQ(beeps, 0);

    bar.ShowErrorText("You have already drawn");
    EXPECT_EQ(bar.LineText(), "You have already drawn");
    EXPECT_TRUE(bar.LineIsError());
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(bar.BlinkRunning());
    QLabel* line = bar.findChildren<QLabel*>().front();
    EXPECT_TRUE(line->font().bold());
    EXPECT_EQ(line->palette().color(QPalette::WindowText), QColor(Qt::red));

    bar.EndBlink(); // what the 600 ms timer does
    EXPECT_FALSE(bar.LineIsError());
    EXPECT_EQ(bar.LineText(), "You have already drawn") << "the text stays until the next hint";
    EXPECT_EQ(line->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_FALSE(line->font().bold());

    bar.ShowErrorText("again");
    bar.ShowHintText("next");
    EXPECT_FALSE(bar.BlinkRunning()) << "a hint stops the blink";
    EXPECT_FALSE(bar.LineIsError());
}

TEST(TableStatusBar, ATextTooLongForTheLineIsShortenedAndOpensWholeAboveIt) {
    TableStatusBar bar;
    bar.setGeometry(100, 400, 640, 24);
    bar.show();
    const QString error = "You cannot meld before drawing; please draw first by clicking on the "
                          "stock or the discard pile";
    bar.ShowErrorText(error);
    EXPECT_EQ(bar.LineText(), error);
    EXPECT_TRUE(bar.ShownLineText().endsWith(QChar(0x2026))) << bar.ShownLineText().toStdString();
    QLabel* line = bar.findChildren<QLabel*>().front();
    EXPECT_LE(line->fontMetrics().horizontalAdvance(bar.ShownLineText()),
              line->contentsRect().width());
    EXPECT_EQ(line->toolTip(), error);
    EXPECT_TRUE(QToolTip::isVisible()) << "a shortened error opens whole at once";
    EXPECT_EQ(QToolTip::text(), error);
    const QWidget* tip = OpenTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_LE(tip->geometry().bottom(), line->mapToGlobal(QPoint(0, 0)).y())
        << "above the line, not over the window's lower edge";
    // A marker tip tells whether the bar opened its own over it.
    const auto marker = [] { QToolTip::showText(QPoint(300, 300), "marker"); };
    marker();
    bar.ShowHintText("short");
    EXPECT_EQ(QToolTip::text(), "marker") << "a text that fits opens nothing";
    bar.ShowHintText(error);
    EXPECT_EQ(QToolTip::text(), error) << "a shortened hint too";
    marker();
    bar.ShowHintText(error);
    EXPECT_EQ(QToolTip::text(), "marker") << "the same hint again opens nothing new";
    bar.hide();
    bar.ShowErrorText(error);
    EXPECT_EQ(QToolTip::text(), "marker") << "nothing opens for a hidden status bar";
    bar.show();

    bar.resize(1280, 24); // room enough once the window is wider
    EXPECT_EQ(bar.ShownLineText(), error);
    EXPECT_TRUE(line->toolTip().isEmpty());
    bar.ShowHintText("short");
    EXPECT_EQ(bar.ShownLineText(), "short");
}

TEST(TableStatusBar, PanelsShowNumbersWithTheirTooltips) {
    TableStatusBar bar;
    bar.SetPanel(TableStatusBar::kPlayerScore, 1250);
    bar.SetPanel(TableStatusBar::kOpponentMeld, -15);
    EXPECT_EQ(bar.PanelText(TableStatusBar::kPlayerScore), "1250");
    EXPECT_EQ(bar.PanelText(TableStatusBar::kOpponentMeld), "-15");
    EXPECT_EQ(bar.PanelToolTip(TableStatusBar::kPlayerScore), "Your Current Score");
    EXPECT_EQ(bar.PanelToolTip(TableStatusBar::kOpponentMeld), "Computer's Current Meld");
    EXPECT_EQ(bar.PanelToolTip(TableStatusBar::kOpponentScore), "Computer's Current Score");
    bar.SetMeldMinimum(90);
    EXPECT_EQ(bar.PanelToolTip(TableStatusBar::kPlayerMeld), "Your Current Meld\n(Minimum is 90)");
}

TEST(TableStatusBar, MenuHintsReplaceTheLineUntilTheGameLineReturns) {
    TableStatusBar bar;
    bar.ShowHintText("game hint");
    bar.showMessage("Exit Varenta");
    EXPECT_EQ(bar.currentMessage(), "Exit Varenta");
    bar.ShowGameLine();
    EXPECT_TRUE(bar.currentMessage().isEmpty());
    EXPECT_EQ(bar.LineText(), "game hint");
}

TEST(HelpWindow, TopicNumbersAndKeywordsLeadToSections) {
    EXPECT_EQ(HelpTopicUrl(1072), "rules.html#number-of-varentas");
    EXPECT_EQ(HelpTopicUrl(1108), "rules.html#reuse-pile");
    EXPECT_TRUE(HelpTopicUrl(4711).isEmpty());
    EXPECT_EQ(HelpKeywordUrl("Keyboard"), "controls.html#keyboard");

    HelpWindow help(QString(CARDGAMES_SOURCE_DIR) + "/resources/varenta/help");
    help.ShowTopic(1080);
    EXPECT_EQ(help.CurrentSource().toString(), "rules.html#natural-pair");
    EXPECT_TRUE(help.Browser()->toPlainText().contains("Natural pair required"));
    help.ShowTopic(4711);
    EXPECT_EQ(help.CurrentSource().toString(), "index.html");
    EXPECT_TRUE(help.Browser()->toPlainText().contains("Contents"));
}

TEST(HelpWindow, EveryTopicAnchorExistsInItsPage) {
    HelpWindow help(QString(CARDGAMES_SOURCE_DIR) + "/resources/varenta/help");
    for (int topic : {1019, 1020, 1072, 1073, 1074, 1075, 1076, 1077, 1078, 1079, 1080, 1081, 1082,
                      1083, 1104, 1108}) {
        const QString url = HelpTopicUrl(topic);
        ASSERT_FALSE(url.isEmpty()) << topic;
        help.ShowTopic(topic);
        const QString anchor = url.section('#', 1);
        EXPECT_TRUE(help.Browser()->toHtml().contains("name=\"" + anchor + "\""))
            << url.toStdString();
    }
}

TEST(HelpWindow, CommandLinksAskTheTableForADialog) {
    HelpWindow help(QString(CARDGAMES_SOURCE_DIR) + "/resources/varenta/help");
    int asked = -1;
    QObject::connect(&help, &HelpWindow::WindowCommand,
                     [&](int id, int which) { asked = id == 9999 ? which : -1; });
    emit help.Browser()->anchorClicked(QUrl("command:9999?2"));
    EXPECT_EQ(asked, 2);
}

} // namespace
} // namespace varenta
