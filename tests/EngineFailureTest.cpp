#include "core/EngineFailure.h"

#include <gtest/gtest.h>

TEST(EngineFailure, LoadingTheLoaderTellsAMissingFileFromAFileThatIsNoLoader) {
    const auto loader = EngineFailureSource::Loader;
    EXPECT_EQ(ClassifyEngineFailure(loader, HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND)), EngineFailureKind::LoaderMissing);
    EXPECT_EQ(ClassifyEngineFailure(loader, HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)), EngineFailureKind::LoaderMissing);
    // Not a DLL or another architecture's; a DLL without the loader's export.
    EXPECT_EQ(ClassifyEngineFailure(loader, HRESULT_FROM_WIN32(ERROR_BAD_EXE_FORMAT)), EngineFailureKind::NotALoader);
    EXPECT_EQ(ClassifyEngineFailure(loader, HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND)), EngineFailureKind::NotALoader);
}

// The loader answers ERROR_FILE_NOT_FOUND when no runtime is installed; the
// same code from loading the loader meant the loader itself, and other codes
// from the engine say nothing about what is missing.
TEST(EngineFailure, OnlyTheEnginesFileNotFoundMeansNoRuntime) {
    const auto engine = EngineFailureSource::Engine;
    EXPECT_EQ(ClassifyEngineFailure(engine, HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)), EngineFailureKind::RuntimeMissing);
    EXPECT_EQ(ClassifyEngineFailure(engine, HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND)), EngineFailureKind::Other);
    EXPECT_EQ(ClassifyEngineFailure(engine, E_FAIL), EngineFailureKind::Other);
    EXPECT_EQ(ClassifyEngineFailure(engine, E_ACCESSDENIED), EngineFailureKind::Other);
}
