#include "qt/TitleBar.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QStyle>
#include <QToolButton>
#include <QWindow>

namespace fw {

namespace {

std::optional<bool> g_wanted;

QToolButton* NewButton(QWidget* bar, QStyle::StandardPixmap icon, const QString& name)
{
    auto* button = new QToolButton(bar);
    button->setIcon(bar->style()->standardIcon(icon, nullptr, bar));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus); // the window's tab order stays its controls'
    button->setToolTip(name);
    button->setAccessibleName(name);
    return button;
}

}

bool TitleBar::Wanted()
{
    if (g_wanted)
        return *g_wanted;
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"))
        && qEnvironmentVariableIsEmpty("QT_WAYLAND_DISABLE_WINDOWDECORATION");
}

void TitleBar::SetWanted(std::optional<bool> wanted)
{
    g_wanted = wanted;
}

TitleBar::TitleBar(QWidget* frame)
    : QWidget(frame)
    , m_title(new QLabel(this))
    , m_minimize(NewButton(this, QStyle::SP_TitleBarMinButton, QStringLiteral("Minimer")))
    , m_maximize(NewButton(this, QStyle::SP_TitleBarMaxButton, QStringLiteral("Maksimer")))
    , m_close(NewButton(this, QStyle::SP_TitleBarCloseButton, QStringLiteral("Luk")))
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setText(frame->windowTitle());
    m_title->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(frame, &QWidget::windowTitleChanged, m_title, &QLabel::setText);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 2, 2, 2);
    row->setSpacing(0);
    row->addWidget(m_title, 1);
    row->addWidget(m_minimize);
    row->addWidget(m_maximize);
    row->addWidget(m_close);
    connect(m_minimize, &QToolButton::clicked, frame, &QWidget::showMinimized);
    connect(m_maximize, &QToolButton::clicked, frame, [frame] { frame->setWindowState(frame->windowState() ^ Qt::WindowMaximized); });
    connect(m_close, &QToolButton::clicked, frame, &QWidget::close);
}

void TitleBar::SetButtons(bool minimize, bool maximize, bool close)
{
    m_minimize->setVisible(minimize);
    m_maximize->setVisible(maximize);
    m_close->setVisible(close);
}

void TitleBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && window()->windowHandle())
        window()->windowHandle()->startSystemMove();
    QWidget::mousePressEvent(event);
}

void TitleBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && !m_maximize->isHidden())
        m_maximize->click();
    QWidget::mouseDoubleClickEvent(event);
}

void TitleBar::changeEvent(QEvent* event)
{
    // The title of the active window reads in full colour, the others' greyed.
    if (event->type() == QEvent::ActivationChange)
        m_title->setEnabled(isActiveWindow());
    QWidget::changeEvent(event);
}

}
