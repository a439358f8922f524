#include "core/EngineFailure.h"

EngineFailureKind ClassifyEngineFailure(EngineFailureSource source, HRESULT failure) {
    if (source == EngineFailureSource::Loader) {
        const bool missing = failure == HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND) ||
                             failure == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) ||
                             failure == HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
        // Anything else: not a DLL, another architecture's, no such export, or
        // one whose start-up failed.
        return missing ? EngineFailureKind::LoaderMissing : EngineFailureKind::NotALoader;
    }
    // The loader's answer when it finds no runtime installed.
    if (failure == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)) return EngineFailureKind::RuntimeMissing;
    return EngineFailureKind::Other;
}
