// The backend contract on the real registry, each case in its own scratch roots.
#include <gtest/gtest.h>

#include "registry/win32/advapi_registry.h"
#include "tests/registry_contract.h"
#include "tests/win32/registry_override.h"

namespace registry_test {
namespace {

class AdvapiBackend : public RegistryBackend {
public:
    registry::RegistryApi& api() override { return api_; }

private:
    RegistryOverride isolated_;
    registry::AdvapiRegistry api_;
};

INSTANTIATE_TEST_SUITE_P(AdvapiRegistry, RegistryContract,
                         ::testing::Values(BackendFactory{
                             "Advapi", [] { return std::make_unique<AdvapiBackend>(); }}),
                         BackendName);

}  // namespace
}  // namespace registry_test
