#include "app/SoundPlayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

namespace tessaly {

TSoundPlayer::TSoundPlayer(QObject* parent) : QObject(parent) {}

TSoundPlayer::~TSoundPlayer()
{
    Stop();
}

bool TSoundPlayer::HasDevice()
{
    return !QMediaDevices::defaultAudioOutput().isNull();
}

void TSoundPlayer::Stop()
{
    if (FSink)
        FSink->stop();
    FSink.reset();
    FBuffer.reset();
}

bool TSoundPlayer::Play(const std::vector<std::int16_t>& pcm, int sampleRate)
{
    Stop();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return false;
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        return false;
    FBuffer = std::make_unique<QBuffer>();
    FBuffer->setData(QByteArray(reinterpret_cast<const char*>(pcm.data()),
                                static_cast<qsizetype>(pcm.size() * sizeof(std::int16_t))));
    FBuffer->open(QIODevice::ReadOnly);
    FSink = std::make_unique<QAudioSink>(device, format);
    FSink->start(FBuffer.get());
    return FSink->error() == QAudio::NoError;
}

} // namespace tessaly
