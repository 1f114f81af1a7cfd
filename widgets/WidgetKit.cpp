#include "widgets/WidgetKit.h"

#include <QButtonGroup>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

QPushButton* NamedButton(const QString& text, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    return button;
}

void KeepPlaceWhenHidden(QWidget* control) {
    QSizePolicy policy = control->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    control->setSizePolicy(policy);
}

void MaskWithStars(QLineEdit* edit) {
    edit->setEchoMode(QLineEdit::Password);
    edit->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
}

RadioGroup::RadioGroup(const QString& title, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent), m_group(new QButtonGroup(this)) {
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        m_group->addButton(button, i);
        layout->addWidget(button);
    }
    connect(m_group, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
}

int RadioGroup::ItemIndex() const {
    return m_group->checkedId();
}

int RadioGroup::Count() const {
    return int(m_group->buttons().size());
}

QRadioButton* RadioGroup::Item(int index) const {
    return qobject_cast<QRadioButton*>(m_group->button(index));
}

void RadioGroup::SetItemIndex(int index) {
    if (Count() == 0)
        return;
    if (index < 0) {
        // An exclusive group cannot be emptied by unchecking its button.
        m_group->setExclusive(false);
        if (QAbstractButton* checked = m_group->checkedButton())
            checked->setChecked(false);
        m_group->setExclusive(true);
        return;
    }
    m_group->button(std::min(index, Count() - 1))->setChecked(true);
}

QPixmap ProductBanner(const QSize& size) {
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, QColor(0x10, 0x1e, 0x4a));
    sky.setColorAt(1, QColor(0x3a, 0x5f, 0xa8));
    p.fillRect(pixmap.rect(), sky);

    // A shield with a sword: the product's mark.
    const qreal h = size.height() * 0.7;
    const qreal w = h * 0.8;
    const QPointF top(size.height() * 0.2 + w / 2, (size.height() - h) / 2);
    QPainterPath shield;
    shield.moveTo(top.x() - w / 2, top.y());
    shield.lineTo(top.x() + w / 2, top.y());
    shield.lineTo(top.x() + w / 2, top.y() + h * 0.45);
    shield.quadTo(top.x() + w / 2, top.y() + h * 0.85, top.x(), top.y() + h);
    shield.quadTo(top.x() - w / 2, top.y() + h * 0.85, top.x() - w / 2, top.y() + h * 0.45);
    shield.closeSubpath();
    p.setPen(QPen(QColor(0xe8, 0xc5, 0x60), 2));
    p.setBrush(QColor(0x8a, 0x1c, 0x1c));
    p.drawPath(shield);
    p.setPen(QPen(QColor(0xf0, 0xf0, 0xf0), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(top.x(), top.y() + h * 0.15), QPointF(top.x(), top.y() + h * 0.8));
    p.drawLine(QPointF(top.x() - w * 0.22, top.y() + h * 0.35),
               QPointF(top.x() + w * 0.22, top.y() + h * 0.35));

    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(std::max(12, size.height() / 4));
    p.setFont(font);
    p.setPen(Qt::white);
    const QRectF text(top.x() + w / 2 + 10, 0, size.width() - (top.x() + w / 2 + 14), size.height());
    p.drawText(text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("Vorn Tanor Editor"));
    return pixmap;
}
