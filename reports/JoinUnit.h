#pragma once

#include <QDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTimer;

// The accounts the server marks as connected, reloaded every few seconds,
// with the character, address and times of the one chosen.
class TJoinForm : public QDialog {
    Q_OBJECT
public:
    explicit TJoinForm(QWidget* parent = nullptr);

    // Loads the list; every reload runs it again.
    void FormCreate();
    void AccCTClick();
    void TimerTimer();
    void CheckBox1Click();
    // "Reload Time (seconds)" typed: 0 stops the reloading at once, a time
    // typed after that starts it again.
    void LabeledEdit1Change();

    [[nodiscard]] QTimer* Timer() const { return m_timer; }

private:
    // Takes the interval from "Reload Time (seconds)". A text that is not a
    // whole number keeps the last interval and says so once per text.
    void applyInterval();
    // The typed reload time; nothing when it is not a whole number in range.
    [[nodiscard]] std::optional<int> typedSeconds() const;
    // A reload by the timer: a failure shows one box at a time.
    void reloadKeepingChoice();
    void stopForZero();

    QListWidget* m_accounts;
    QLabel* m_total;
    QLineEdit* m_character;
    QLineEdit* m_ip;
    QLineEdit* m_connected;
    QLineEdit* m_disconnected;
    QCheckBox* m_autoReload;
    QLineEdit* m_reloadTime;
    QTimer* m_timer;
    QString m_warnedText;         // the reload text already reported as wrong
    bool m_boxOpen = false;       // a reload failure is being shown
    bool m_stoppedByZero = false; // "Auto Reload" was cleared by a time of 0
};
