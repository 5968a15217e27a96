-- The VST 3 bundle's renders of the host test, as render.lua makes them for the VST 2 plug-in:
-- Ardour's simple export, headless on the dummy backend, one stereo track whose first processor
-- is the test signal and, except in the dry renders, a fresh instance of the plug-in found by its
-- class id. Programs are chosen by name from the list Ardour shows; Ardour hands VST 3 parameters
-- their plain values (dB, %, on/off), so the scenarios give those.
-- Usage: ardour7-lua render-vst3.lua <session-dir> <out-dir> <vst3-class-id>
io.stdout:setvbuf ("no")

local session_dir, out_dir, class_id = arg[1], arg[2], arg[3]
assert (session_dir and out_dir and class_id, "usage: render-vst3.lua <session-dir> <out-dir> <vst3-class-id>")

local RATE, BLOCK, FRAMES = 44100, 1024, 2 * 44100
local EXPORT_PRESET = "6a0e5d3c-1f2b-4c8e-9a57-3b1d2c4e5f61" -- float-wav.preset
local PROGRAMS = 16

local BYPASS, GAIN, DRY, WET, STEREO = 0, 1, 2, 3, 7

local scenarios = {
	{ name = "dry-stereo", stereo = true },
	{ name = "dry-mono",   stereo = false },
	{ name = "unity",      stereo = true,  params = { [GAIN] = 0, [DRY] = 100, [WET] = 0 } },
	{ name = "program",    stereo = false, program = "Clean Chorus" },
	{ name = "mono",       stereo = false, program = "Clean Chorus", params = { [STEREO] = 0 } },
	{ name = "bypass",     stereo = true,  program = "Clean Chorus", params = { [BYPASS] = 1 } },
}

local listed = false

local function add_plugin (track, program, params)
	local proc = ARDOUR.LuaAPI.new_plugin (Session, class_id, ARDOUR.PluginType.VST3, "")
	assert (not proc:isnil (), "Ardour did not load the plug-in " .. class_id)
	assert (track:add_processor_by_index (proc, 1, nil, true), "could not insert the plug-in")
	local plugin = proc:to_insert ():plugin (0)
	print (string.format ("loaded %s (%s), %d parameters", plugin:name (), plugin:unique_id (), plugin:parameter_count ()))
	if not listed then
		-- The programs as Ardour lists them, for the script to compare.
		for i = 0, PROGRAMS - 1 do
			local preset = plugin:preset_by_uri (string.format ("VST3-P:%s:%04d", plugin:unique_id (), i))
			print (string.format ("program %d %s", i, preset and preset.label or "(none)"))
		end
		listed = true
	end
	if program then
		local preset = plugin:preset_by_label (program)
		assert (preset, "Ardour lists no program named " .. program)
		assert (plugin:load_preset (preset), "could not select " .. program)
		print ("chose " .. preset.label .. " (" .. preset.uri .. ")")
	end
	for index, value in pairs (params or {}) do
		assert (ARDOUR.LuaAPI.set_processor_param (proc, index, value), "could not set parameter " .. index)
	end
	return proc
end

local function export (name)
	local job = Session:simple_export ()
	assert (job:set_preset (EXPORT_PRESET), "export preset missing")
	job:set_folder (out_dir)
	job:set_name (name)
	job:set_range (0, FRAMES)
	assert (job:run_export (), "export of " .. name .. " failed")
	print ("exported " .. name)
end

local function render_all ()
	local track = Session:new_audio_track (2, 2, nil, 1, "Chorus", ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true):front ()
	local signal = ARDOUR.LuaAPI.new_luaproc (Session, "Host Test Signal")
	assert (not signal:isnil (), "test signal script not found")
	assert (track:add_processor_by_index (signal, 0, nil, true), "could not insert the test signal")

	for _, s in ipairs (scenarios) do
		ARDOUR.LuaAPI.set_processor_param (signal, 0, s.stereo and 1 or 0)
		local proc = nil
		if s.program or s.params then
			proc = add_plugin (track, s.program, s.params)
		end
		export (s.name)
		if proc then
			track:remove_processor (proc, nil, true)
		end
	end
end

local backend = AudioEngine:set_backend ("None (Dummy)", "", "")
assert (backend, "no dummy backend")
backend:set_sample_rate (RATE)
backend:set_buffer_size (BLOCK)
assert (create_session (session_dir, "hosttest", RATE), "could not create the session")

-- Lua references to the session's objects must be gone before the session is closed.
local ok, err = pcall (render_all)
collectgarbage ()
close_session ()
if not ok then
	error (err)
end
