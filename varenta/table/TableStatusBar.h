// The table window's status bar: the hint line on the left and four numeric
// panels (meld values and scores) on the right. Errors are shown in red bold
// type with a beep and turn back to normal type after the blink time.
#pragma once

#include <QLabel>
#include <QStatusBar>
#include <QTimer>

#include <array>
#include <functional>

namespace varenta {

class TableStatusBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kBlinkMs = 600;
    enum Panel { kPlayerMeld = 0, kOpponentMeld = 1, kPlayerScore = 2, kOpponentScore = 3 };

    explicit TableStatusBar(QWidget* parent = nullptr);

    // The game hint, black normal type; stops a running error blink.
    void ShowHintText(const QString& text);
    // An error: red bold type, a beep, and the blink timer.
    void ShowErrorText(const QString& text);
    // Takes back a menu or control hint so that the game hint shows again.
    void ShowGameLine() { clearMessage(); }

    void SetPanel(Panel panel, int value);
    // The minimum of the first meld, shown in the player's meld tooltip.
    void SetMeldMinimum(int minimum);

    // The whole text of the line; what shows may end in "..." where the
    // bar is too narrow for it, with the whole text as the line's tooltip;
    // a new text so shortened also opens whole above the line for a while.
    QString LineText() const { return full_; }
    QString ShownLineText() const { return line_->text(); }
    bool LineIsError() const { return error_; }
    bool BlinkRunning() const { return blink_.isActive(); }
    QString PanelText(Panel panel) const;
    QString PanelToolTip(Panel panel) const;
    QLabel* PanelLabel(Panel panel) const { return panels_.at(static_cast<std::size_t>(panel)); }

    // Ends the blink at once (what the timer does when it fires).
    void EndBlink();

    // Replaces the beep (tests count beeps instead of hearing them).
    void SetBeep(std::function<void()> beep) { beep_ = std::move(beep); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetLineStyle(bool error);
    void FitLine();
    void ShowWholeTextIfShortened();

    QLabel* line_;
    QString full_;
    std::array<QLabel*, 4> panels_{};
    QTimer blink_;
    bool error_ = false;
    std::function<void()> beep_;
};

} // namespace varenta
