#include "server/endpoints.h"

namespace ServiceEndpoints {
void createSchema(QSqlDatabase&) {}
void addDemoData(ServerContext&) {}
void registerAll(EndpointTable&) {}
}
