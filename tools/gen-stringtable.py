#!/usr/bin/env python3
"""Writes Q3580StringTable.txt, the value-name table of the list parameters.

Each keyword opens with a '*' line, its entries follow one per line and an empty line closes
the list; lines end in CR LF. The long numeric lists are generated from their first and last
entries: linear where the ends share a step, otherwise piecewise linear with the step growing
towards the ends, or geometric for frequencies, so every value reads cleanly and the lists
are monotone.

    gen-stringtable.py [output]   (default: resources/Q3580StringTable.txt)
"""

import math
import sys
from fractions import Fraction
from pathlib import Path

NOTE_LETTERS = ["C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"]


def run(start, segments):
    """Values from start, then by each (step, end) segment up to and including its end."""
    value = Fraction(start)
    values = [value]
    for step, end in segments:
        step, end = Fraction(step), Fraction(end)
        while value < end:
            value += step
            values.append(value)
        assert value == end, (step, end)
    return values


def fixed(value, decimals):
    """value with the given number of decimals, computed exactly."""
    scaled = int(round(Fraction(value) * 10**decimals))
    sign = "-" if scaled < 0 else ""
    scaled = abs(scaled)
    if decimals == 0:
        return sign + str(scaled)
    return "%s%d.%0*d" % (sign, scaled // 10**decimals, decimals, scaled % 10**decimals)


def signed_db(value):
    text = fixed(value, 1)
    return text + " dB" if value <= 0 else "+" + text + " dB"


def geometric(low, high, steps):
    """steps - 1 values strictly between low and high, geometric, two significant digits."""
    values = []
    for k in range(1, steps):
        x = low * (high / low) ** (k / steps)
        unit = 10 ** (math.floor(math.log10(x)) - 1)
        values.append(int(math.floor(x / unit + 0.5)) * unit)
    return values


def kilohertz(hertz, space):
    """Hz below 1000, else kHz with three significant digits."""
    gap = " " if space else ""
    if hertz < 1000:
        return "%d%sHz" % (hertz, gap)
    return "%s%sKHz" % (fixed(Fraction(hertz, 1000), 2 if hertz < 10000 else 1), gap)


def midi_channels():
    return [str(ch) for ch in range(1, 17)] + ["Global"]


def notes():
    return ["%s%d" % (NOTE_LETTERS[n % 12], n // 12 - 1) for n in range(128)] + ["Off"]


def pitch_vibrato():
    # 25 cent steps up to an octave at +-48, then 80 cent steps to two octaves at +-63.
    def cents(i):
        a = abs(i)
        c = 25 * a if a <= 48 else 1200 + 80 * (a - 48)
        return -c if i < 0 else c
    return ["%dcent" % cents(i) for i in range(-63, 64)]


def noise_filter_balance():
    return ["LPF%d" % (63 - i) for i in range(64)] + ["HPF%d" % i for i in range(1, 64)] + ["HPF63"]


def filter1_balance():
    return ["LPF24"] + [str(i) for i in range(1, 127)] + ["THRU"]


def filter_key_track():
    # 1.00 at +-48, then steps of 1/15 to 2.00 at +-63; cut to two decimals toward zero.
    def value(i):
        a = abs(i)
        h = a * 100 // 48 if a <= 48 else 100 + (a - 48) * 100 // 15
        return "%s%d.%02d" % ("-" if i < 0 else "", h // 100, h % 100)
    return [value(i) for i in range(-63, 64)]


def lfo_frequency():
    values = run("0.01", [("0.01", "0.10"), ("0.05", "1"), ("0.2", "10"), ("0.5", "15"), ("1", "50"),
                          ("5", "100")])
    return [fixed(v, 2 if v < 100 else 1) + "Hz" for v in values]


def lfo_init_phase():
    return [str(v) for v in range(0, 181, 10)]


def eq_low_frequency():
    return ["%d Hz" % f for f in [20, 22, 25, 28] + geometric(28, 900, 29) + [900, 1000]]


def eq_gain():
    return [signed_db(v) for v in run("-15", [("0.5", "15")])]


def eq_high_frequency():
    hertz = [1000, 1120, 1250, 1400] + geometric(1400, 18000, 21) + [18000, 20000]
    return [kilohertz(f, True) for f in hertz]


def vocoder_ef_sens():
    return [str(v) for v in range(127)] + ["Hold"]


def arp_step_gate_time():
    # Steps of 2 towards the ends, of 1 around 0 (value 64 shows 0).
    values = list(range(-100, -27, 2)) + list(range(-27, 27)) + list(range(28, 101, 2))
    return [str(v) for v in values]


def fx_eq_frequency():
    hertz = [20, 22, 25, 28] + geometric(28, 18000, 54) + [18000, 20000]
    return [kilohertz(f, False) for f in hertz]


def fx_decimator_fs():
    return [fixed(v, 1) + " kHz" for v in run("1", [("0.5", "48")])]


def fx_reverb_time():
    return [fixed(v, 1) + " sec" for v in run("0.1", [("0.1", "10")])]


def fx_reverb_time_short():
    # 0.1 to 3.0 seconds spread over 128 values, rounded to tenths.
    return [fixed(Fraction(1 + (58 * i + 127) // 254, 10), 1) + " sec" for i in range(128)]


def fx_pre_delay():
    return ["%d msec" % v for v in run(0, [(1, 54), (2, 200)])]


def fx_time_ratio():
    # 100% at value 64.
    values = run("0.5", [("0.5", "10"), ("1", "40"), ("4", "280"), ("5", "360"), ("20", "400")])
    return [fixed(v, 2) + "%" for v in values]


def msec(values, decimals):
    return [fixed(v, decimals) + " msec" for v in values]


def fx_delay_30():
    return msec(run(0, [("0.1", 6), ("0.2", 12), ("0.5", 20), (1, 24), (2, 30)]), 1)


def fx_delay_50():
    return msec(run(0, [("0.1", 5), ("0.2", 10), ("0.5", 14), (1, 50)]), 1)


def fx_delay_350():
    return msec(run(0, [(1, 74), (2, 100), (5, 250), (10, 350)]), 0)


def fx_delay_1400():
    return msec(run(0, [(1, 24), (2, 50), (5, 100), (10, 400), (20, 1400)]), 0)


def fx_gate_attack():
    values = run("0.1", [("0.1", "1"), ("0.5", "10"), (1, 36), (2, 100), (5, 190), (10, 380),
                        (24, 500)])
    return [fixed(v, 1 if v < 10 else 0) + " msec" for v in values]


def fx_frequency_12000():
    hertz = run(0, [(2, 50), (5, 100), (20, 600), (50, 1000), (100, 1800), (200, 12000)])
    return [kilohertz(int(f), False) if f < 1000 else fixed(f / 1000, 1) + "KHz" for f in hertz]


# Keywords in resource order with their entries.
TABLE = [
    ("ProgramGenre", [
        "VINTAGE SYNTH", "ROCK/POP", "R&B/HIP HOP", "JAZZ/FUSION", "TECHNO/TRANCE", "HOUSE/DISCO",
        "D'N'B/BREAKS", "FAVORITE"
    ]),
    ("ProgramCategory", [
        "POLY SYNTH", "BASS", "LEAD", "ARP/MOTION", "PAD/STRINGS", "KEYBOARD/BELL", "S.E./HIT",
        "VOCODER/AUDIO IN"
    ]),
    ("ProgramBank", ["A", "B"]),
    ("OnOff", ["Off", "On"]),
    ("EnaDis", ["Disable", "Enable"]),
    ("Priority", ["OFF", "A", "B", "C", "D", "E"]),
    ("Category", [
        "Bass", "Lead", "Synth Hard", "Synth Soft", "Motion", "Strings/Pad", "Keyboard",
        "Guitar/Pluck", "Bell/Decay", "Hit/Drum", "S.E", "Arp/Seq", "Split", "Audio In", "Vocoder",
        "User"
    ]),
    ("Timbre", ["Timbre 1", "Timbre 2", "Vocoder"]),
    ("ScaleKey", ["C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"]),
    ("ScaleType", [
        "Equal Temp", "Pure Major", "Pure Minor", "Arabic", "Pythagorea", "Werckmeist",
        "Kirnberger", "Slendoro", "Pelog", "User Scale"
    ]),
    ("VoiceMode", ["Single", "Layer", "Split", "Multi"]),
    ("ArpTimbreSel", ["Timbre 1", "Timbre 2", "Timbre 1+2"]),
    ("MidiCh", midi_channels()),
    ("Note", notes()),
    ("UnisonVoice", ["Off", "2 Voice", "3 Voice", "4 Voice"]),
    ("KnobAssignCategory", [
        "Off", "Oscillator", "Filter", "Amp", "EG", "LFO", "Virtual Patch", "EQ", "Master FX",
        "Arpeggiator", "Vocoder"
    ]),
    ("KnobAssign", [
        "Off", "Portamento", "OSC 1 Ctrl 1", "OSC 1 Ctrl 2", "OSC 2 Semitone", "OSC 2 Tune",
        "OSC 1 Level", "OSC 2 Level", "Noise Level", "Filter 1 Cutoff", "Filter 1 Resonance",
        "Filter 1 Balance", "Filter 1 EG 1 Int", "Filter 2 Cutoff", "Filter 2 Resonance",
        "Filter 2 EG 1 Int", "Level", "Panpot", "Wave Shape Depth", "EG 1 Attack", "EG 1 Decay",
        "EG 1 Sustain", "EG 1 Release", "EG 2 Attack", "EG 2 Decay", "EG 2 Sustain",
        "EG 2 Release", "LFO 1 Frequency", "LFO 2 Frequency", "Virtual Patch 1 Int",
        "Virtual Patch 2 Int", "Virtual Patch 3 Int", "Virtual Patch 4 Int", "Virtual Patch 5 Int",
        "Virtual Patch 6 Int", "EQ High Gain", "EQ Low Gain", "FX 1 Dry/Wet", "FX 1 Ctrl 1",
        "FX 1 Ctrl 2", "FX 2 Dry/Wet", "FX 2 Ctrl 1", "FX 2 Ctrl 2", "ARP Gate Time",
        "ARP Octave Range", "ARP Swing", "Vocoder Timbre1 Lvl", "Vocoder Timbre2 Lvl",
        "Vocoder HPF Level", "Vocoder FC Offset", "Vocoder Resonance", "Vocoder EF Sens",
        "Vocoder FC Mod Int", "Vocoder Direct Lvl", "Vocoder Level"
    ]),
    ("KnobAssignLfoSync", ["LFO 1 Sync Note", "LFO 2 Sync Note"]),
    ("PitchVibratoInt", pitch_vibrato()),
    ("AssignMode", ["Mono 1", "Mono 2", "Poly"]),
    ("Osc1Wave", ["Saw", "Pulse", "Triangle", "Sine", "Formant", "Noise", "PCM/Wave", "Audio In"]),
    ("Osc1Mod", ["Waveform", "Cross", "Unison", "PM"]),
    ("SynthPcm", [
        "A.Piano", "Rose EP", "Wurly EP", "PM EP1", "PM EP2", "Clav1", "Clav2", "Clav3", "Organ1",
        "Organ2", "Organ3", "Z9Organ", "FullOrgan", "ComboOrg", "PipeOrgan", "Strings", "Brass",
        "Guitar1", "Guitar2", "Bass1", "Bass2", "Bass3", "Bell1", "Bell2", "Bell3", "SynPad1",
        "SynPad2", "SynPad3", "SynSine1", "SynSine2", "SynSine3", "SynSine4", "SynSine5",
        "SynSine6", "SynSine7", "SynWave1", "SynWave2", "SynWave3", "SynWave4", "SynWave5",
        "SynWave6", "SynWave7", "SynWire1", "SynWire2", "SynWire3", "SynWire4", "5thSaw", "5thSqu",
        "Digi1", "Digi2", "Digi3", "Digi4", "Digi5", "Digi6", "Digi7", "Digi8", "Digi9", "SynVox1",
        "SynVox2", "Endless", "Noise1", "Noise2", "Noise3", "Noise4"
    ]),
    ("NoiseFltBalance", noise_filter_balance()),
    ("Osc2Wave", ["Saw", "Pulse", "Triangle", "Sine"]),
    ("Osc2Mod", ["Off", "Ring", "Sync", "Ring+Sync"]),
    ("FltRouting", ["Single", "Serial", "Parallel", "Individual"]),
    ("Flt1Balance", filter1_balance()),
    ("Flt2Type", ["LPF", "HPF", "BPF"]),
    ("FltKeyTrack", filter_key_track()),
    ("WsPosition", ["PreFilter1", "PreAmp"]),
    ("WsType", [
        "Off", "Drive", "Decimator", "Hard Clip", "Oct Saw", "Multi Tri", "Multi Sin",
        "SubOSC Saw", "SubOSC Squ", "SubOSC Tri", "SubOSC Sin", "Level Boost"
    ]),
    ("Lfo1Wave", ["Saw", "Square", "Tri", "S&H", "Random"]),
    ("Lfo2Wave", ["Saw", "Square+", "Sine", "S&H", "Random"]),
    ("LfoFreq", lfo_frequency()),
    ("LfoKeySync", ["Off", "Timbre", "Voice"]),
    ("LfoInitPhase", lfo_init_phase()),
    ("LfoSyncNote", [
        "8/1", "4/1", "2/1", "1/1", "3/4", "1/2", "3/8", "1/3", "1/4", "3/16", "1/6", "1/8",
        "1/12", "1/16", "1/24", "1/32", "1/64"
    ]),
    ("PatchSource", [
        "EG 1", "EG 2", "EG 3", "LFO 1", "LFO 2", "Velocity", "PitchBend", "ModWheel",
        "Keyboard Track", "MIDI 1", "MIDI 2", "MIDI 3"
    ]),
    ("PatchDest", [
        "Pitch", "OSC2 Tune", "OSC1 Ctrl 1", "OSC1 Level", "OSC2 Level", "Noise Level",
        "Filter1 Balance", "Filter1 Cutoff", "Filter1 Resonance", "Filter2 Cutoff",
        "Drive/WS Depth", "Amp Level", "Panpot", "LFO1 Frequency", "LFO2 Frequency", "Portamento",
        "OSC1 Ctrl 2", "Filter1 EG1 Int.", "Filter1 KeyTrack", "Filter2 Resonance",
        "Filter2 EG1 Int.", "Filter2 KeyTrack", "EG1 Attack", "EG1 Decay", "EG1 Sustain",
        "EG1 Release", "EG2 Attack", "EG2 Decay", "EG2 Sustain", "EG2 Release", "EG3 Attack",
        "EG3 Decay", "EG3 Sustain", "EG3 Release", "Patch1 Int", "Patch2 Int", "Patch3 Int",
        "Patch4 Int", "Patch5 Int", "Patch6 Int"
    ]),
    ("IfxType", [
        "No Effect", "St.Compressor", "St.Limiter", "St.Gate", "St.Filter", "St.Wah",
        "St.4Band EQ", "Distortion", "Cabinet Simulator", "Tube PreAmp Simulator", "St.Decimator",
        "Reverb", "Early Reflections", "L/C/R Delay", "St.Delay", "Auto Panning Delay",
        "St.Auto Panning Delay", "Modulation Delay", "St.Modulation Delay", "Tape Echo",
        "St.Chorus", "Ensemble", "St.Flanger/CombFilter", "St.Phaser", "St.Tremolo",
        "St.Ring Modulator", "Pitch Shifter", "Grain Shifter", "St.Vibrato", "Rotary Speaker[W]",
        "Talking Modulator[W]"
    ]),
    ("IfxKnobAssign", [
        "Param 1", "Param 2", "Param 3", "Param 4", "Param 5", "Param 6", "Param 7", "Param 8",
        "Param 9", "Param 10", "Param 11", "Param 12", "Param 13", "Param 14", "Param 15",
        "Param 16", "Param 17", "Param 18", "Param 19", "Param 20"
    ]),
    ("EqLowFreq", eq_low_frequency()),
    ("EqLowGain", eq_gain()),
    ("EqHighFreq", eq_high_frequency()),
    ("EqHighGain", eq_gain()),
    ("VcdModSrc", ["Audio Source", "Formant Play"]),
    ("VcdAudioSrc", ["Audio Input", "Timbre 2"]),
    ("VcdEfSens", vocoder_ef_sens()),
    ("FcModSource", [
        "EG 1", "EG 2", "EG 3", "LFO 1", "LFO 2", "Velocity", "PitchBend", "ModWheel",
        "Keyboard Track", "MIDI 1", "MIDI 2", "MIDI 3"
    ]),
    ("MfxType", [
        "Effect Off", "Compressor", "Filter", "4Band EQ", "Distortion", "Decimator", "Delay",
        "L/C/R Delay", "Auto Panning Delay", "Modulation Delay", "Tape Echo", "Chorus", "Flanger",
        "Vibrato", "Phaser", "Tremolo", "Ring Modulator", "Grain Shifter"
    ]),
    ("MfxKnobAss", [
        "Param 1", "Param 2", "Param 3", "Param 4", "Param 5", "Param 6", "Param 7", "Param 8",
        "Param 9", "Param 10", "Param 11", "Param 12", "Param 13", "Param 14", "Param 15",
        "Param 16", "Param 17", "Param 18", "Param 19", "Param 20"
    ]),
    ("ArpResolution", ["1/32", "1/24", "1/16", "1/12", "1/8", "1/6", "1/4", "1/2", "1/1"]),
    ("ArpType", ["Up", "Down", "Alt 1", "Alt 2", "Random", "Trigger"]),
    ("ArpLastStep", ["1", "2", "3", "4", "5", "6", "7", "8"]),
    ("ArpOctRange", ["1", "2", "3", "4"]),
    ("ArpStepGT", arp_step_gate_time()),
    ("FxControlSource", ["Off", "Velocity", "PitchBend", "ModWheel", "MIDI 1", "MIDI 2", "MIDI 3"]),
    ("FxEnvSel", ["LR Mix", "LR Indv."]),
    ("FxFltType", ["LPF24", "LPF18", "LPF12", "HPF12", "BPF12"]),
    ("FxFilterModSrc", ["LFO", "Ctrl"]),
    ("FxLfoWave", ["Saw", "Square", "Triangle", "Sine", "S&H"]),
    ("FxLfoKeySync", ["Off", "On"]),
    ("FxEqBand1Type", ["Peaking", "Shelving Low"]),
    ("FxEqBand2Type", ["Peaking", "Shelving High"]),
    ("FxEqFrequency", fx_eq_frequency()),
    ("FxDeciFs", fx_decimator_fs()),
    ("FxDeciBit", [
        "4 bit", "5 bit", "6 bit", "7 bit", "8 bit", "9 bit", "10 bit", "11 bit", "12 bit",
        "13 bit", "14 bit", "15 bit", "16 bit", "17 bit", "18 bit", "19 bit", "20 bit", "21 bit",
        "22 bit", "23 bit", "24 bit"
    ]),
    ("FxReverbType", ["Hall", "SmoothHall", "WetPlate", "DryPlate", "Room", "BrightRoom"]),
    ("FxReverbTime", fx_reverb_time()),
    ("FxReverbTimeShort", fx_reverb_time_short()),
    ("FxStDelayType", ["Stereo", "Cross"]),
    ("FxDelaySyncNote", [
        "1/64", "1/32", "1/24", "1/16", "1/12", "1/8", "1/6", "3/16", "1/4", "1/3", "3/8", "1/2",
        "3/4", "1/1"
    ]),
    ("FxFlangerPhase", ["+", "-"]),
    ("FxPhaserType", ["Blue", "U-VB"]),
    ("FxOscMode", ["Fixed", "Note"]),
    ("FxOscWave", ["Saw", "Tri", "Sine"]),
    ("FxPreDelay", fx_pre_delay()),
    ("FxTimeRatio", fx_time_ratio()),
    ("FxTimeRatioSyncOn", [
        "12.50%", "16.70%", "25.00%", "33.30%", "50.00%", "66.60%", "75.00%", "100.00%", "125.00%",
        "133.00%", "150.00%", "200.00%", "250.00%", "300.00%", "400.00%"
    ]),
    ("FxDelay_0_30", fx_delay_30()),
    ("FxDelay_0_50", fx_delay_50()),
    ("FxDelay_0_350", fx_delay_350()),
    ("FxDelay_0_1400", fx_delay_1400()),
    ("FxGateAttack", fx_gate_attack()),
    ("FxFreq_0_12000", fx_frequency_12000()),
    ("BackLightMode", ["Off", "Auto", "On"]),
    ("KnobMode", ["Jump", "Catch"]),
    ("Position", ["Post KBD", "Pre TG"]),
    ("AudioInThru", ["Off", "Ext 1+2"]),
    ("VelocityCurve", [
        "Curve 1", "Curve 2", "Curve 3", "Curve 4", "Curve 5", "Curve 6", "Curve 7", "Curve 8",
        "Const 127"
    ]),
    ("SystemRouting", ["MIDI+USB", "USB", "MIDI"]),
    ("MidiClock", ["Auto", "Internal", "Ext USB", "Ext MIDI"]),
]


def build_text():
    lines = ["; Q3580StringTable.txt: value names of the list parameters, one list per keyword.",
             "; Written by tools/gen-stringtable.py; change the script, not this file.", ""]
    seen = set()
    for keyword, entries in TABLE:
        assert keyword not in seen, keyword
        seen.add(keyword)
        assert entries and all(entries), keyword
        lines.append("*" + keyword)
        lines.extend(entries)
        lines.append("")
    return "".join(line + "\r\n" for line in lines)


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "resources" / "Q3580StringTable.txt"
    out.write_bytes(build_text().encode("ascii"))


if __name__ == "__main__":
    main()
