#include "account/cqdlgterms.h"

#include "ui_cqdlgterms.h"

#include <QFile>

CqDlgTerms::CqDlgTerms(QWidget* parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::CqDlgTerms>())
{
    m_ui->setupUi(this);
    // An ordinary window whose only control in the title bar is Close.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);

    QFile document(documentPath());
    if (document.open(QIODevice::ReadOnly))
        m_ui->txtTerms->setHtml(QString::fromUtf8(document.readAll()));
}

CqDlgTerms::~CqDlgTerms() = default;

QString CqDlgTerms::documentPath()
{
    return QStringLiteral(":/account/terms.html");
}
