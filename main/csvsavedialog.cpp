#include "main/csvsavedialog.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QStandardPaths>

namespace CsvSaveDialog {

QString ask(QWidget* parent, const QString& title, const QString& suggestedName)
{
    QFileDialog dialog(parent, title);
    dialog.setObjectName(QStringLiteral("exportDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(QCoreApplication::translate("CsvSaveDialog", "CSV files (*.csv)"));
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    dialog.selectFile(suggestedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace CsvSaveDialog
