#include "community/communityrequests.h"

#include "app/accountstate.h"
#include "app/server.h"

#include <QLabel>

namespace CommunityRequests {

QUrlQuery userIdFields()
{
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("user_id"), currentUserId);
    return fields;
}

void styleRowLabel(QLabel* label, const QString& family, int pointSize, int weight)
{
    label->setFont(QFont(family, pointSize, weight));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

} // namespace CommunityRequests
