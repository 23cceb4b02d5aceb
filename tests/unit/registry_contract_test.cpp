#include "tests/registry_contract.h"

#include "tests/support/memory_registry.h"

using support::MemoryRegistry;

INSTANTIATE_TEST_SUITE_P(Memory, RegistryContract,
                         ::testing::Values(RegistryBackend{
                             "MemoryRegistry",
                             [] { return std::make_unique<MemoryRegistry>(); },
                             [](registry::RegistryApi& api) {
                                 return static_cast<MemoryRegistry&>(api).openHandles();
                             },
                             {}}));
