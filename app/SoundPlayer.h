#pragma once
// Plays 16-bit mono PCM on the default sound output, one sound at a time: a new one ends the one
// before.

#include <QObject>

#include <cstdint>
#include <memory>
#include <vector>

class QAudioSink;
class QBuffer;

namespace tessaly {

class TSoundPlayer : public QObject {
    Q_OBJECT
public:
    explicit TSoundPlayer(QObject* parent = nullptr);
    ~TSoundPlayer() override;

    // Whether the system has a sound output.
    static bool HasDevice();
    // Starts playing; false when there is no sound output or it cannot be opened.
    bool Play(const std::vector<std::int16_t>& pcm, int sampleRate);
    void Stop();

private:
    std::unique_ptr<QAudioSink> FSink;
    std::unique_ptr<QBuffer> FBuffer;
};

} // namespace tessaly
