#!/usr/bin/env bash
# Installs every Debian package the build, the tools and the tests need.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
    build-essential cmake ninja-build pkg-config \
    juce-modules-source \
    libasound2-dev libfreetype-dev libfontconfig1-dev libx11-dev libxrandr-dev \
    libxinerama-dev libxcursor-dev libxext-dev libxtst-dev libgl-dev libcurl4-openssl-dev \
    fonts-dejavu-core \
    libgtest-dev libbenchmark-dev \
    xvfb xauth x11-utils \
    librsvg2-bin \
    > /dev/null
