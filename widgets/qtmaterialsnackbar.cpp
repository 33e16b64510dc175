#include "widgets/qtmaterialsnackbar.h"

#include "widgets/qtmaterialstyle.h"

#include <QAbstractTransition>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QEasingCurve>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QState>
#include <QStateMachine>
#include <QTimer>

#include <utility>

namespace {

constexpr int slideDurationMs = 300;
constexpr int boxPadding = 12;
constexpr qreal cornerRadius = 3;

const QEvent::Type stepEventType = static_cast<QEvent::Type>(QEvent::registerEventType());

// Screen readers learn that the bar is an alert from its role, and speak it
// when it raises an alert event.
QAccessibleInterface* alertInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String("QtMaterialSnackbar") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::AlertMessage);
    return nullptr;
}

} // namespace

// Posted to the state machine to move the bar along.
class QtMaterialSnackbar::StepEvent final : public QEvent
{
public:
    explicit StepEvent(Step step)
        : QEvent(stepEventType)
        , m_step(step)
    {
    }
    Step step() const { return m_step; }

private:
    Step m_step;
};

// Fires on the one kind of step it was made for.
class QtMaterialSnackbar::StepTransition final : public QAbstractTransition
{
public:
    explicit StepTransition(Step step)
        : m_step(step)
    {
    }

protected:
    bool eventTest(QEvent* event) override
    {
        return event->type() == stepEventType && static_cast<StepEvent*>(event)->step() == m_step;
    }
    void onTransition(QEvent*) override {}

private:
    Step m_step;
};

QtMaterialSnackbar::QtMaterialSnackbar(QWidget* parent)
    : QtMaterialOverlayWidget(parent)
{
    QFont barFont(QStringLiteral("Roboto"), 10, QFont::Medium);
    barFont.setCapitalization(QFont::AllUppercase);
    setFont(barFont);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    static const bool alertRoleKnown = [] {
        QAccessible::installFactory(&alertInterface);
        return true;
    }();
    Q_UNUSED(alertRoleKnown)

    m_hideTimer = new QTimer(this);
    m_hideTimer->setSingleShot(true);
    m_hideTimer->setTimerType(Qt::PreciseTimer);
    connect(m_hideTimer, &QTimer::timeout, this, [this] { post(Step::Hide); });

    buildStateMachine();
}

QtMaterialSnackbar::~QtMaterialSnackbar() = default;

void QtMaterialSnackbar::buildStateMachine()
{
    m_machine = new QStateMachine(this);
    m_hiddenState = new QState(m_machine);
    m_visibleState = new QState(m_machine);
    m_finalState = new QState(m_machine);
    m_machine->setInitialState(m_hiddenState);

    m_hiddenState->assignProperty(this, "offset", 1.0);
    m_visibleState->assignProperty(this, "offset", 0.0);
    m_finalState->assignProperty(this, "offset", 1.0);

    auto* slide = new QPropertyAnimation(this, "offset", this);
    slide->setDuration(slideDurationMs);
    slide->setEasingCurve(QEasingCurve::OutCubic);
    m_machine->addDefaultAnimation(slide);

    addStep(m_hiddenState, m_visibleState, Step::Show);
    addStep(m_visibleState, m_finalState, Step::Hide);
    addStep(m_finalState, m_visibleState, Step::Next);
    addStep(m_finalState, m_hiddenState, Step::Wait);

    connect(m_visibleState, &QState::entered, this, &QtMaterialSnackbar::onVisibleEntered);
    connect(m_finalState, &QState::entered, this, &QtMaterialSnackbar::onFinalEntered);
    // The next message, or rest, only once the slide-out has finished:
    // moving on at its start would swap the text without any slide, and
    // the last message would vanish at once.
    connect(m_finalState, &QState::propertiesAssigned, this, &QtMaterialSnackbar::onSlidOut);
    connect(m_hiddenState, &QState::entered, this, [this] { m_onScreen.clear(); });

    connect(m_machine, &QStateMachine::started, this, [this] {
        const QList<Step> early = std::exchange(m_stepsBeforeStart, {});
        for (Step step : early)
            post(step);
    });
    m_machine->start();
}

void QtMaterialSnackbar::addStep(QState* from, QState* to, Step step)
{
    auto* transition = new StepTransition(step);
    transition->setTargetState(to);
    from->addTransition(transition);
}

void QtMaterialSnackbar::post(Step step)
{
    // The machine starts on the next turn of the event loop and drops
    // whatever was posted before: keep early steps until it runs.
    if (!m_machine->isRunning()) {
        m_stepsBeforeStart.append(step);
        return;
    }
    m_machine->postEvent(new StepEvent(step));
}

void QtMaterialSnackbar::addMessage(const QString& message)
{
    m_queue.append(message);
    post(Step::Show);
    if (isHidden() && parentWidget())
        show();
    raise();
}

void QtMaterialSnackbar::addInstantMessage(const QString& message)
{
    if (m_showing) {
        // Cut the message on screen short; the new one follows it.
        m_queue.insert(m_queue.isEmpty() ? 0 : 1, message);
        hideNow();
    } else {
        // Nothing on screen (idle, or between two messages): the new one is
        // simply next. Hiding alone would leave an idle bar waiting forever.
        m_queue.prepend(message);
        post(Step::Show);
    }
    if (isHidden() && parentWidget())
        show();
    raise();
}

void QtMaterialSnackbar::hideNow()
{
    m_hideTimer->stop();
    post(Step::Hide);
}

void QtMaterialSnackbar::onVisibleEntered()
{
    m_showing = true;
    m_onScreen = m_queue.value(0);
    m_hideTimer->start(m_autoHideDuration);
    updateMousePassThrough();
    update();
    announce(m_onScreen);
    emit messageShown(m_onScreen);
}

void QtMaterialSnackbar::announce(const QString& message)
{
    // Screen readers speak an alert at once, whatever has the focus; the text
    // travels as the bar's name and description.
    setAccessibleName(message);
    setAccessibleDescription(message);
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

void QtMaterialSnackbar::onFinalEntered()
{
    m_showing = false;
    const QString shown = m_queue.isEmpty() ? QString() : m_queue.takeFirst();
    updateMousePassThrough();
    emit messageHidden(shown);
}

void QtMaterialSnackbar::onSlidOut()
{
    post(m_queue.isEmpty() ? Step::Wait : Step::Next);
}

void QtMaterialSnackbar::setOffset(qreal offset)
{
    m_offset = offset;
    update();
}

void QtMaterialSnackbar::setAutoHideDuration(int milliseconds)
{
    m_autoHideDuration = qMax(0, milliseconds);
}

void QtMaterialSnackbar::setBoxWidth(int width)
{
    m_boxWidth = qMax(1, width);
    update();
}

void QtMaterialSnackbar::setBackgroundColor(const QColor& color)
{
    m_backgroundColor = color;
    update();
}

QColor QtMaterialSnackbar::backgroundColor() const
{
    return m_backgroundColor.isValid() ? m_backgroundColor
                                       : QtMaterialStyle::instance().themeColor(QStringLiteral("text"));
}

void QtMaterialSnackbar::setTextColor(const QColor& color)
{
    m_textColor = color;
    update();
}

QColor QtMaterialSnackbar::textColor() const
{
    return m_textColor.isValid() ? m_textColor
                                 : QtMaterialStyle::instance().themeColor(QStringLiteral("canvas"));
}

void QtMaterialSnackbar::setFontSize(qreal pointSize)
{
    if (pointSize <= 0)
        return;
    QFont barFont = font();
    barFont.setPointSizeF(pointSize);
    setFont(barFont);
    update();
}

void QtMaterialSnackbar::setBackgroundOpacity(qreal opacity)
{
    m_backgroundOpacity = qBound(0.0, opacity, 1.0);
    update();
}

void QtMaterialSnackbar::setClickToDismissMode(bool enabled)
{
    m_clickToDismiss = enabled;
    updateMousePassThrough();
}

void QtMaterialSnackbar::updateMousePassThrough()
{
    // Catch clicks only while there is a message to dismiss; otherwise the
    // bar would block the whole parent window.
    const bool catchClicks = m_clickToDismiss && m_showing;
    setAttribute(Qt::WA_TransparentForMouseEvents, !catchClicks);
}

void QtMaterialSnackbar::mousePressEvent(QMouseEvent* event)
{
    if (m_clickToDismiss && m_showing) {
        hideNow();
        event->accept();
        return;
    }
    QtMaterialOverlayWidget::mousePressEvent(event);
}

QRect QtMaterialSnackbar::boxRect() const
{
    if (m_onScreen.isEmpty() && m_queue.isEmpty())
        return {};
    const QString text = m_onScreen.isEmpty() ? m_queue.constFirst() : m_onScreen;
    const int boxWidth = qMin(m_boxWidth, qMax(1, width()));
    const int textWidth = qMax(1, boxWidth - 2 * boxPadding);
    const QRect textBounds = fontMetrics().boundingRect(
        QRect(0, 0, textWidth, 100000), Qt::AlignHCenter | Qt::TextWordWrap, text);
    const int boxHeight = textBounds.height() + 2 * boxPadding;
    const int top = qRound(height() - boxHeight + m_offset * boxHeight);
    return {(width() - boxWidth) / 2, top, boxWidth, boxHeight};
}

void QtMaterialSnackbar::paintEvent(QPaintEvent*)
{
    const QRectF box = boxRect();
    if (box.isEmpty())
        return;
    const QString text = m_onScreen.isEmpty() ? m_queue.constFirst() : m_onScreen;

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font());

    painter.setPen(Qt::NoPen);
    QColor background = backgroundColor();
    painter.setOpacity(m_backgroundOpacity);
    painter.setBrush(background);
    painter.drawRoundedRect(box, cornerRadius, cornerRadius);

    painter.setOpacity(1);
    painter.setPen(textColor());
    painter.drawText(box.adjusted(boxPadding, boxPadding, -boxPadding, -boxPadding),
                     Qt::AlignCenter | Qt::TextWordWrap, text);
}
