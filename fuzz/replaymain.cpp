// Feeds files to a fuzz target without libFuzzer, so that any compiler replays the inputs.
// Each argument is a folder of inputs; finding none is a failure too.
#include <QDirIterator>
#include <QFile>

#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

int main(int argc, char *argv[])
{
    int replayed = 0;
    for (int argument = 1; argument < argc; ++argument) {
        QDirIterator inputs(QString::fromLocal8Bit(argv[argument]), QDir::Files);
        while (inputs.hasNext()) {
            QFile input(inputs.next());
            if (!input.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "Cannot read %s\n", qPrintable(input.fileName()));
                return 1;
            }
            const QByteArray bytes = input.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()),
                                   size_t(bytes.size()));
            ++replayed;
        }
    }
    std::printf("Replayed %d inputs\n", replayed);
    return replayed > 0 ? 0 : 1;
}
