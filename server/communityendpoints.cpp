#include "server/endpoints.h"

namespace CommunityEndpoints {
void createSchema(QSqlDatabase&) {}
void addDemoData(ServerContext&) {}
void registerAll(EndpointTable&) {}
}
