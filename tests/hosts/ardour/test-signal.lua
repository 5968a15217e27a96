ardour {
	["type"]    = "dsp",
	name        = "Host Test Signal",
	category    = "Utility",
	license     = "MIT",
	author      = "StereoChorus tests",
	description = [[Two sines computed from the transport position, so every render of a range is the same. Mono: both channels carry 220 Hz + 347 Hz; stereo: the right channel carries 523 Hz instead.]]
}

function dsp_ioconfig ()
	return { { audio_in = 2, audio_out = 2 } }
end

function dsp_params ()
	return { { ["type"] = "input", name = "Stereo", min = 0, max = 1, default = 0, toggled = true } }
end

local rate = 44100

function dsp_init (sample_rate)
	rate = sample_rate
end

function dsp_run (ins, outs, n_samples)
	local pos = Session:transport_sample ()
	local stereo = CtrlPorts:array ()[1] > 0
	local left, right = {}, {}
	for i = 1, n_samples do
		local t = (pos + i - 1) / rate
		left[i] = 0.25 * math.sin (2 * math.pi * 220 * t) + 0.15 * math.sin (2 * math.pi * 347 * t)
		right[i] = stereo and 0.3 * math.sin (2 * math.pi * 523 * t) or left[i]
	end
	outs[1]:set_table (left, n_samples)
	outs[2]:set_table (right, n_samples)
end
