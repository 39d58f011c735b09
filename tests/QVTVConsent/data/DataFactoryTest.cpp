#include "QVTVConsent/data/DataFactory.h"

#include <gtest/gtest.h>

TEST(DataFactory, AnEmptySlotThrowsNotCreated) {
    qvtv::DataFactory::setRepository(nullptr);
    try {
        (void)qvtv::DataFactory::repository();
        FAIL() << "expected DataFactoryError";
    } catch (const qvtv::DataFactoryError& error) {
        EXPECT_EQ(error.code(), qvtv::DataFactoryError::Code::notCreated);
    }
}
