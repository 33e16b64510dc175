#pragma once

#include "widgets/qtmaterialoverlaywidget.h"

#include <QColor>
#include <QStringList>

class QState;
class QStateMachine;
class QTimer;

// The message bar: queued short texts slide in at the bottom of the parent,
// stay for the auto-hide duration and slide out again, one after the other.
class QtMaterialSnackbar : public QtMaterialOverlayWidget
{
    Q_OBJECT
    Q_PROPERTY(qreal offset READ offset WRITE setOffset)

public:
    explicit QtMaterialSnackbar(QWidget* parent = nullptr);
    ~QtMaterialSnackbar() override;

    void addMessage(const QString& message);
    void addInstantMessage(const QString& message);

    void setAutoHideDuration(int milliseconds);
    int autoHideDuration() const { return m_autoHideDuration; }

    void setBoxWidth(int width);
    int boxWidth() const { return m_boxWidth; }

    void setBackgroundColor(const QColor& color);
    QColor backgroundColor() const;

    void setTextColor(const QColor& color);
    QColor textColor() const;

    void setFontSize(qreal pointSize);
    qreal fontSize() const { return font().pointSizeF(); }

    void setBackgroundOpacity(qreal opacity);
    qreal backgroundOpacity() const { return m_backgroundOpacity; }

    void setClickToDismissMode(bool enabled);
    bool clickToDismissMode() const { return m_clickToDismiss; }

    // The queue; its front is the message on screen (or the next one).
    QStringList messages() const { return m_queue; }
    // Where the message shows, in this widget's coordinates (it covers its
    // parent, and draws the message in a box at its bottom); empty with no
    // message.
    QRect boxRect() const;

    // 0 shows the box whole, 1 puts it just below the parent's bottom edge.
    qreal offset() const { return m_offset; }
    void setOffset(qreal offset);

signals:
    // The box has started to slide in with `message`.
    void messageShown(const QString& message);
    // The box has started to slide out and `message` left the queue.
    void messageHidden(const QString& message);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    enum class Step { Show, Hide, Next, Wait };

    class StepEvent;
    class StepTransition;

    void buildStateMachine();
    void addStep(QState* from, QState* to, Step step);
    void post(Step step);
    void hideNow();
    void onVisibleEntered();
    void announce(const QString& message);
    void onFinalEntered();
    void onSlidOut();
    void updateMousePassThrough();

    QStateMachine* m_machine = nullptr;
    QState* m_hiddenState = nullptr;
    QState* m_visibleState = nullptr;
    QState* m_finalState = nullptr;
    QTimer* m_hideTimer = nullptr;

    QList<Step> m_stepsBeforeStart;
    QStringList m_queue;
    // The text in the box, kept while it slides out even though it has
    // already left the queue.
    QString m_onScreen;
    qreal m_offset = 1;
    int m_autoHideDuration = 3000;
    int m_boxWidth = 300;
    qreal m_backgroundOpacity = 0.9;
    QColor m_backgroundColor;
    QColor m_textColor;
    bool m_clickToDismiss = false;
    // In the visible state: a message is on screen or sliding in.
    bool m_showing = false;
};
