#include "guilds/MapServerGroupUnit.h"

#include "widgets/Guard.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

bool ParseMapServerGroup(const QString& text, int* group) {
    bool ok = false;
    *group = text.trimmed().toInt(&ok);
    return ok && *group >= 0;
}

TMapServerGroupForm::TMapServerGroupForm(const WindowContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {
    setObjectName(QStringLiteral("MapServerGroupForm"));
    setWindowTitle(QStringLiteral("Map Server Selection"));

    auto* label = new QLabel(QStringLiteral("Map Server Group"), this);
    // The group typed last time is offered again.
    const QString last = m_context.mapServerGroup;
    m_group = new QLineEdit(last.isEmpty() ? QStringLiteral("0") : last, this);
    m_group->setObjectName(QStringLiteral("LabeledEdit1"));
    label->setBuddy(m_group);
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_group);
    layout->addWidget(ok, 0, Qt::AlignRight);
    setFixedWidth(220);

    ConnectGuarded(ok, &QPushButton::clicked, this, [this] { OkClick(); });
}

void TMapServerGroupForm::OkClick() {
    const QString text = m_group->text().trimmed();
    if (text.isEmpty()) {
        Dialogs::Show(this, QStringLiteral("Error"), QStringLiteral("Put Number"), Dialogs::Icon::Error);
        return;
    }
    int group = 0;
    if (!ParseMapServerGroup(text, &group)) {
        Dialogs::Show(this, QStringLiteral("Error"),
                      QStringLiteral("Map Server Group must be a whole number"), Dialogs::Icon::Error);
        return;
    }
    m_taken = QString::number(group);
    accept();
}
