#pragma once
// What every store does last with a page: it says whether the history ended,
// and keeps it within the query's byte bound.
#include "server/history_port.h"

namespace orvinta::server {

// page.lines: the lines the query reaches, oldest first, at most its count.
// Ended when fewer than asked; cut at the byte bound from the end away from
// the anchor (catching up keeps the oldest lines, paging back the newest).
void FinishPage(HistoryPage& page, const HistoryQuery& query);

}  // namespace orvinta::server
