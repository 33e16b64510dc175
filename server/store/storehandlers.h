#pragma once

#include "server/engine/endpoints.h"

// The store's endpoint handlers, grouped by file; registered by
// StoreEndpoints::registerAll.
namespace StoreHandlers {

// storeendpoints.cpp: lists and the cart
QJsonObject getVideos(const ApiCall& call, ServerContext& context);
QJsonObject getLocalVideo(const ApiCall& call, ServerContext& context);
QJsonObject getCheckout(const ApiCall& call, ServerContext& context);
QJsonObject getProgramVideos(const ApiCall& call, ServerContext& context);
QJsonObject setCheckout(const ApiCall& call, ServerContext& context);
QJsonObject removeCheckout(const ApiCall& call, ServerContext& context);

// storepurchase.cpp: paying, owning and cancelling
QJsonObject paymentProcess(const ApiCall& call, ServerContext& context);
QJsonObject setPurchase(const ApiCall& call, ServerContext& context);
QJsonObject getPaymentState(const ApiCall& call, ServerContext& context);
QJsonObject removeSubscription(const ApiCall& call, ServerContext& context);
QJsonObject removeAllProgramVideo(const ApiCall& call, ServerContext& context);

// storedownloads.cpp: where the member's computer keeps downloaded videos
QJsonObject setVideoUri(const ApiCall& call, ServerContext& context);
QJsonObject setProgramVideoUri(const ApiCall& call, ServerContext& context);
QJsonObject removeVideo(const ApiCall& call, ServerContext& context);
QJsonObject removeProgramVideo1(const ApiCall& call, ServerContext& context);

} // namespace StoreHandlers
