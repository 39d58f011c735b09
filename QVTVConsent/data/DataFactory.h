#pragma once
// Holds the process-wide consent repository. Each initialisation run makes a new one with
// create(); the engine, screens and adapters read it with repository(), which throws
// DataFactoryError::notCreated before the first run.
//
//   qvtv::DataFactory::create();
//   auto repo = qvtv::DataFactory::repository();

#include <memory>

#include "QVTVConsent/data/ConsentRepository.h"
#include "QVTVConsent/data/DataFactoryError.h"

namespace qvtv {

class DataFactory {
public:
    // Makes a new preferences store and a repository over it and puts that repository in the slot,
    // replacing any earlier one. Defined beside the repository implementation.
    static void create();

    // The current repository; throws DataFactoryError::notCreated while the slot is empty.
    static std::shared_ptr<ConsentRepository> repository();

    // Replaces the repository (an empty pointer empties the slot). Safe from any thread.
    static void setRepository(std::shared_ptr<ConsentRepository> repository);

    DataFactory() = delete;
};

} // namespace qvtv
