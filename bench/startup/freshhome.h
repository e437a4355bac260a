#pragma once

#include <filesystem>

// An empty home folder for one run, so that every start finds no preferences and no caches;
// removed with everything the run left in it.
class FreshHome
{
public:
    FreshHome();
    ~FreshHome();
    FreshHome(const FreshHome &) = delete;
    FreshHome &operator=(const FreshHome &) = delete;

    const std::filesystem::path &path() const { return m_path; }

private:
    std::filesystem::path m_path;
};
