// Library rows, program videos, downloads, removals and renewal of the list
// window. The store and cart lists do not use these.
#include "store/cqwnditems.h"

#include <QVBoxLayout>

void CqWndItems::buildLibraryRow(const ProductItem&, QWidget*, QVBoxLayout*)
{
}

void CqWndItems::checkRenewal(const ProductItem&)
{
}

void CqWndItems::on_btnDown_clicked()
{
}

void CqWndItems::on_btnProgram_clicked()
{
}

void CqWndItems::on_btnPlay_clicked()
{
}

void CqWndItems::on_btnRemoveLocal_clicked()
{
}

void CqWndItems::on_btnRemoveSubscription_clicked()
{
}

void CqWndItems::slt_net_removeVideo(QString)
{
}

void CqWndItems::slt_net_removeProgram(QString)
{
}

void CqWndItems::slt_net_removeSubscription(QString)
{
}

void CqWndItems::slt_net_removeAllProgram(QString)
{
}

void CqWndItems::slt_net_payment(QString)
{
}
