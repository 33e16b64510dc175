#include "main/cqwndloading.h"

#include "ui_cqwndloading.h"
#include "widgets/qtmaterialcircularprogress.h"

#include <QCloseEvent>

CqWndLoading::CqWndLoading(QWidget* parent)
    : QWidget(parent)
    , m_ui(new Ui::CqWndLoading)
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    m_ui->gridLayout->addWidget(new QtMaterialCircularProgress(this), 0, 0, Qt::AlignCenter);
}

CqWndLoading::~CqWndLoading()
{
    delete m_ui;
}

void CqWndLoading::stopLoading()
{
    m_stopped = true;
    close();
}

bool CqWndLoading::isLoading() const
{
    return !m_stopped;
}

void CqWndLoading::showEvent(QShowEvent* event)
{
    m_stopped = false;
    QWidget::showEvent(event);
}

void CqWndLoading::closeEvent(QCloseEvent* event)
{
    // While a reply is awaited the overlay stays up; only stopLoading() ends it.
    if (m_stopped)
        event->accept();
    else
        event->ignore();
}
