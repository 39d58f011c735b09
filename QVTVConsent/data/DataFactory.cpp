#include "QVTVConsent/data/DataFactory.h"

#include <atomic>

#include "platform/NoDestructor.h"

namespace qvtv {
namespace {

// Adapters may read the slot from SDK callback threads while an initialisation replaces it.
std::atomic<std::shared_ptr<ConsentRepository>>& slot() {
    static platform::NoDestructor<std::atomic<std::shared_ptr<ConsentRepository>>> shared;
    return *shared;
}

} // namespace

std::shared_ptr<ConsentRepository> DataFactory::repository() {
    auto repository = slot().load();
    if (!repository) throw DataFactoryError::notCreated();
    return repository;
}

void DataFactory::setRepository(std::shared_ptr<ConsentRepository> repository) {
    slot().store(std::move(repository));
}

} // namespace qvtv
