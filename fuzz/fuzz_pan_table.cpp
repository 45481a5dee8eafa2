// Feeds arbitrary bytes to the pan table reader. It must either refuse them with an Error or give a
// table whose pans lie in -10000..10000 and whose colours fit 0x00BBGGRR; that table, written back,
// must read again as the same table.
#include "common/Error.h"
#include "song/PanTable.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tamboro::PanTable table;
    try {
        table = tamboro::parsePanTable(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const tamboro::Error&) {
        return 0;
    }
    for (int pan : table.pans)
        if (pan < -10000 || pan > 10000)
            std::abort();
    if (table.gridBackground > 0x00FFFFFF || table.gridText > 0x00FFFFFF)
        std::abort();
    if (tamboro::parsePanTable(tamboro::formatPanTable(table)) != table)
        std::abort();
    return 0;
}
