#include "freshhome.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

FreshHome::FreshHome()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "startup-home-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::system_error(errno, std::generic_category(), "mkdtemp");
    }
    m_path = pattern;
}

FreshHome::~FreshHome()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}
