// Scene files from anywhere must be refused with a SceneError, never crash the
// reader or escape it as another exception.
#include <cstddef>
#include <cstdint>
#include <string>

#include "shell/scene/SceneError.h"
#include "shell/scene/SceneReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    try {
        shell::SceneReader::readText(text);
    } catch (const shell::SceneError&) {
    }
    return 0;
}
