# The engine vendor's SDK package, Microsoft.Web.WebView2 from NuGet, at one
# pinned version: its WebView2.h checks our interface declarations, and its
# x64 WebView2Loader.dll goes into the release package and the run against the
# genuine loader. Needs common.sh.
#
# The package is restored once with the machine's NuGet client (`dotnet
# restore` of a throw-away project that references it) into
# build/engine-sdk/packages and used from there afterwards, with or without
# dotnet. Nothing else needs it: without dotnet or the registry, the scripts
# say so in one line and go on without what needs it.
#
# To move to another version, change the pin here and ENGINE_SDK_VERSION in
# .github/workflows/windows.yml (with the README's "On Windows" commands);
# scripts/check-workflow fails while the two differ.

VELQUIN_ENGINE_SDK_PACKAGE=Microsoft.Web.WebView2
VELQUIN_ENGINE_SDK_VERSION=1.0.4314.35

# velquin_engine_sdk: sets VELQUIN_ENGINE_SDK_DIR to the folder of the
# restored package (the one that holds build/native), restoring it first if
# needed, and says where it is. Without it, says why in one line, leaves the
# variable empty and returns 1; it stops the script instead when
# VELQUIN_REQUIRE_ENGINE_SDK is set (CI, whose machines have it).
velquin_engine_sdk() {
    local root=$VELQUIN_ROOT/build/engine-sdk package
    package=$root/packages/${VELQUIN_ENGINE_SDK_PACKAGE,,}/$VELQUIN_ENGINE_SDK_VERSION
    VELQUIN_ENGINE_SDK_DIR=""
    # NuGet writes its .nupkg.metadata last: the restore was complete.
    if [[ ! -f $package/.nupkg.metadata ]] && ! velquin_restore_engine_sdk "$root"; then
        [[ -z ${VELQUIN_REQUIRE_ENGINE_SDK:-} ]] || velquin_die "the engine's SDK package is required here"
        return 1
    fi
    [[ -f $package/build/native/include/WebView2.h && -f $package/build/native/x64/WebView2Loader.dll ]] ||
        velquin_die "$package lacks build/native/include/WebView2.h or build/native/x64/WebView2Loader.dll"
    VELQUIN_ENGINE_SDK_DIR=$package
    velquin_log "the engine's SDK, $VELQUIN_ENGINE_SDK_PACKAGE $VELQUIN_ENGINE_SDK_VERSION: $package"
}

# velquin_restore_engine_sdk ROOT: restores the pinned package into
# ROOT/packages, NuGet's caches beside it, with dotnet's first-run chores and
# telemetry off. Its output goes to ROOT/restore.log.
velquin_restore_engine_sdk() {
    local root=$1 project log what="$VELQUIN_ENGINE_SDK_PACKAGE $VELQUIN_ENGINE_SDK_VERSION"
    if ! command -v dotnet >/dev/null; then
        velquin_log "no dotnet on the PATH: $what (the engine's SDK) not restored; going on without it"
        return 1
    fi
    project=$root/restore
    log=$root/restore.log
    mkdir -p "$project"
    # A target framework is required; it is the one the machine's .NET SDK has.
    cat >"$project/EngineSdk.csproj" <<EOF
<Project Sdk="Microsoft.NET.Sdk">
  <PropertyGroup>
    <TargetFramework>net10.0</TargetFramework>
  </PropertyGroup>
  <ItemGroup>
    <PackageReference Include="$VELQUIN_ENGINE_SDK_PACKAGE" Version="[$VELQUIN_ENGINE_SDK_VERSION]" />
  </ItemGroup>
</Project>
EOF
    velquin_log "restoring $what with dotnet into $root/packages"
    if ! (
        export DOTNET_CLI_TELEMETRY_OPTOUT=1 DOTNET_NOLOGO=1 DOTNET_SKIP_FIRST_TIME_EXPERIENCE=1
        export DOTNET_CLI_WORKLOAD_UPDATE_NOTIFY_DISABLE=1 DOTNET_GENERATE_ASPNET_CERTIFICATE=false
        export NUGET_PACKAGES=$root/packages NUGET_HTTP_CACHE_PATH=$root/http-cache
        export NUGET_SCRATCH=$root/scratch NUGET_PLUGINS_CACHE_PATH=$root/plugins-cache
        timeout 300 dotnet restore "$project/EngineSdk.csproj" --nologo
    ) >"$log" 2>&1 </dev/null; then
        velquin_log "dotnet restore failed: $what (the engine's SDK) not restored, see $log; going on without it"
        return 1
    fi
}
