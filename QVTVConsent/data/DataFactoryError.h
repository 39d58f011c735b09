#pragma once
// Thrown when the shared repository is asked for before any initialisation created it. The show
// operations of the public engine let it reach the host; everything else answers with an envelope.
//
//   try { auto repo = qvtv::DataFactory::repository(); }
//   catch (const qvtv::DataFactoryError& e) { assert(e.code() == qvtv::DataFactoryError::Code::notCreated); }

#include <exception>

namespace qvtv {

class DataFactoryError : public std::exception {
public:
    enum class Code { notCreated };

    static DataFactoryError notCreated() { return DataFactoryError(Code::notCreated); }

    Code code() const noexcept { return code_; }
    const char* what() const noexcept override {
        return "DataFactoryError.notCreated: the consent repository does not exist yet; initialise the library first";
    }

private:
    explicit DataFactoryError(Code code) : code_(code) {}
    Code code_;
};

} // namespace qvtv
