-- The scenarios of render.lua with the LV2 plug-in: Ardour finds it by URI, lists its presets,
-- selects "Clean Chorus" by name, sets parameters in their real units by port name, and
-- bypasses it through its own bypass, which drives the plug-in's lv2:enabled port.
-- Usage: ardour7-lua render-lv2.lua <session-dir> <out-dir> <plugin-uri> <preset names, "|" between>
-- Parameters of the LV2 plug-in are real values in their units, where VST 2 has them 0..1.
io.stdout:setvbuf ("no")

local session_dir, out_dir, uri, expected_presets = arg[1], arg[2], arg[3], arg[4]
assert (session_dir and out_dir and uri and expected_presets,
	"usage: render-lv2.lua <session-dir> <out-dir> <plugin-uri> <preset names>")

local RATE, BLOCK, FRAMES = 44100, 1024, 2 * 44100
local EXPORT_PRESET = "6a0e5d3c-1f2b-4c8e-9a57-3b1d2c4e5f61" -- float-wav.preset

local scenarios = {
	{ name = "dry-stereo", stereo = true },
	{ name = "dry-mono",   stereo = false },
	{ name = "unity",      stereo = true,  params = { Gain = 0, Dry = 100, Wet = 0 } },
	{ name = "program",    stereo = false, preset = "Clean Chorus" },
	{ name = "mono",       stereo = false, preset = "Clean Chorus", params = { Stereo = 0 } },
	{ name = "bypass",     stereo = true,  preset = "Clean Chorus", bypass = true },
}

-- The nth control parameter, by its port's name.
local function parameter_of (plugin, name)
	for n = 0, plugin:parameter_count () - 1 do
		local port, ok = plugin:nth_parameter (n, true)
		if ok and plugin:parameter_is_input (port) and plugin:parameter_label (port) == name then
			return n
		end
	end
	return nil
end

local function check_presets (plugin)
	local listed = {}
	for preset in plugin:get_info ():get_presets (false):iter () do
		listed[preset.label] = true
	end
	for name in string.gmatch (expected_presets, "[^|]+") do
		assert (listed[name], "Ardour does not list the preset " .. name)
	end
	print ("presets listed: " .. expected_presets)
end

local function add_plugin (track, s)
	local proc = ARDOUR.LuaAPI.new_plugin (Session, uri, ARDOUR.PluginType.LV2, "")
	assert (not proc:isnil (), "Ardour did not load the plug-in " .. uri)
	assert (track:add_processor_by_index (proc, 1, nil, true), "could not insert the plug-in")
	local plugin = proc:to_insert ():plugin (0)
	print (string.format ("loaded %s (%s), %d parameters", plugin:name (), plugin:unique_id (), plugin:parameter_count ()))
	check_presets (plugin)
	if s.preset then
		local preset = plugin:preset_by_label (s.preset)
		assert (preset, "no preset named " .. s.preset)
		assert (plugin:load_preset (preset), "could not load " .. s.preset)
	end
	for name, value in pairs (s.params or {}) do
		local n = parameter_of (plugin, name)
		assert (n, "no parameter " .. name)
		assert (ARDOUR.LuaAPI.set_processor_param (proc, n, value), "could not set " .. name)
	end
	if s.bypass then
		-- Ardour's own bypass keeps the plug-in running and turns its enabled port off.
		proc:to_insert ():enable (false)
		local n = parameter_of (plugin, "Enabled")
		assert (n and (ARDOUR.LuaAPI.get_processor_param (proc, n)) == 0, "the bypass did not reach the enabled port")
		assert (proc:active (), "Ardour deactivated the plug-in instead")
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
		if s.preset or s.params then
			proc = add_plugin (track, s)
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

local ok, err = pcall (render_all)
collectgarbage ()
close_session ()
if not ok then
	error (err)
end
