# SPDX-FileCopyrightText: 2026 Brimsel
# SPDX-License-Identifier: GPL-3.0-or-later
"""A speech server for Orca that says nothing.

Orca still writes every sentence to its debug file as SPEECH OUTPUT, which is all the check
reads; a real synthesizer on a machine without a sound device can stall, and Orca with it.
"""

from orca import speechserver


class SpeechServer(speechserver.SpeechServer):
    @staticmethod
    def getFactoryName():
        return "Silent"

    @staticmethod
    def getSpeechServers():
        return [_SERVER]

    @staticmethod
    def getSpeechServer(info=None):
        return _SERVER

    @staticmethod
    def shutdownActiveServers():
        pass

    def getInfo(self):
        return ["Silent", "silent"]

    def getVoiceFamilies(self):
        return []


_SERVER = SpeechServer()
