#include "app/CAboutDlg.h"

#include "app/ShellTexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(ShellTexts::AboutTitle());

    m_icon = new QLabel(this);
    m_icon->setFixedSize(32, 32);
    const QPixmap icon(QStringLiteral(":/icon/128.png"));
    if (!icon.isNull())
        m_icon->setPixmap(icon.scaled(m_icon->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));

    auto* version = new QLabel(ShellTexts::AboutVersion(), this);
    auto* notice = new QLabel(ShellTexts::AboutNotice(), this);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(version);
    texts->addWidget(notice);
    auto* top = new QHBoxLayout;
    top->addWidget(m_icon, 0, Qt::AlignTop);
    top->addSpacing(8);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(buttons);
    all->setSizeConstraint(QLayout::SetFixedSize);
}
