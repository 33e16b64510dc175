#include "store/storeconfig.h"

#include "app/apiconfig.h"

namespace StoreConfig {

QUrl ebookViewerUrl(int productId)
{
    return QUrl(QStringLiteral("http://") + ApiConfig::apiHost() + QStringLiteral("/uploadfiles/ebooks/viewer.html?view=")
                + QString::number(productId));
}

} // namespace StoreConfig
