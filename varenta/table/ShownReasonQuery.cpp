#include "varenta/table/ShownReasonQuery.h"

#include "varenta/table/TableTranslation.h"

#include <utility>

namespace varenta {

ShownReasonQuery::ShownReasonQuery(std::unique_ptr<OwnAddressQuery> query)
    : query_(std::move(query)) {}

void ShownReasonQuery::Start(const QString& server, std::function<void(const QString&)> done) {
    query_->Start(server, std::move(done));
}

void ShownReasonQuery::Cancel() {
    query_->Cancel();
}

int ShownReasonQuery::TimeoutMs() const {
    return query_->TimeoutMs();
}

std::string ShownReasonQuery::Problem() const {
    return ShownText(query_->Problem()).toStdString();
}

std::unique_ptr<OwnAddressQuery> ShownReasonQuery::Wrap(std::unique_ptr<OwnAddressQuery> query) {
    if (!query) {
        return nullptr;
    }
    return std::make_unique<ShownReasonQuery>(std::move(query));
}

} // namespace varenta
