// The pictures a start is about to open, decoded on other threads while the window is built:
// each picture named, and the picture each page names, found as opening the page finds it.
#pragma once

#include <QStringList>

#include <thread>
#include <vector>

class CStartPrefetch {
public:
    // Starts the decoding for files, unless an editor may be running already to take them.
    explicit CStartPrefetch(const QStringList& files);
    // Forgets whatever the start did not take.
    ~CStartPrefetch();
    CStartPrefetch(const CStartPrefetch&) = delete;
    CStartPrefetch& operator=(const CStartPrefetch&) = delete;

    // The files are open: the pictures nobody took are dropped.
    void Finish();

private:
    std::vector<std::jthread> m_pageReaders;
};
