#pragma once

#include <QGroupBox>
#include <QPixmap>
#include <QStringList>

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Small pieces the shell windows share.

// A push button with its object name.
[[nodiscard]] QPushButton* NamedButton(const QString& text, const QString& name, QWidget* parent);

// Password fields show "*" for every character, whatever the style's own
// masking character is.
void MaskWithStars(QLineEdit* edit);

// A control that comes and goes keeps its room while hidden, so the controls
// around it stay where they are and the window does not grow when it shows.
void KeepPlaceWhenHidden(QWidget* control);

// A titled group of radio buttons read and set as one "item index": 0 for
// the first item, -1 when none is chosen.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& title, const QStringList& items, QWidget* parent = nullptr);

    [[nodiscard]] int ItemIndex() const;
    // An index past the last item chooses the last one; a negative index
    // chooses none (a stored number out of range must still show a choice
    // the operator can see, never a crash).
    void SetItemIndex(int index);
    [[nodiscard]] int Count() const;
    [[nodiscard]] QRadioButton* Item(int index) const;

Q_SIGNALS:
    // The operator clicked an item.
    void itemClicked(int index);

private:
    QButtonGroup* m_group;
};

// The product picture of the wizard, the sign-in window and the about box.
[[nodiscard]] QPixmap ProductBanner(const QSize& size);
