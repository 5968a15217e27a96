-- Renders every scenario of the host test with Ardour's simple export, headless on the dummy
-- backend: one stereo track whose first processor is the test signal and, except in the dry
-- renders, a fresh instance of the plug-in. What differs between plug-in formats (how the
-- plug-in is found, how a program is chosen, in which units parameters are set, how it is
-- bypassed, what Ardour must list) lives in the small table of that format below.
-- Usage: ardour7-lua render.lua <session-dir> <out-dir> vst2|vst3|lv2 <id> [<preset names, "|" between>]
--   id: the VST 2 unique id, the VST 3 class id or the LV2 URI.
io.stdout:setvbuf ("no")

local USAGE = "usage: render.lua <session-dir> <out-dir> vst2|vst3|lv2 <id> [<preset names>]"
local session_dir, out_dir, format, id, expected_presets = arg[1], arg[2], arg[3], arg[4], arg[5]
assert (session_dir and out_dir and format and id, USAGE)

local RATE, BLOCK, FRAMES = 44100, 1024, 2 * 44100
local EXPORT_PRESET = "6a0e5d3c-1f2b-4c8e-9a57-3b1d2c4e5f61" -- float-wav.preset
local PROGRAM = { number = 1, name = "Clean Chorus" }

-- Sets parameters given by host index.
local function set_by_index (proc, plugin, params)
	for index, value in pairs (params) do
		assert (ARDOUR.LuaAPI.set_processor_param (proc, index, value), "could not set parameter " .. index)
	end
end

-- Host parameter indexes of the VST plug-ins.
local BYPASS, GAIN, DRY, WET, STEREO = 0, 1, 2, 3, 7

local formats = {}

-- VST 2: found by unique id; programs by number; parameters are the host's normalised 0..1.
formats.vst2 = {
	type = ARDOUR.PluginType.LXVST,
	unity = { [GAIN] = 0.5, [DRY] = 1, [WET] = 0 },
	mono = { [STEREO] = 0 },
	on_load = function (plugin) end,
	choose = function (plugin, program)
		local uri = string.format ("VST:%s:%04d", id, program.number)
		local preset = plugin:preset_by_uri (uri)
		assert (preset, "no program " .. uri)
		assert (plugin:load_preset (preset), "could not select " .. uri)
	end,
	set = set_by_index,
	bypass = function (proc, plugin) set_by_index (proc, plugin, { [BYPASS] = 1 }) end,
}

-- VST 3: found by class id; programs chosen by name from the list Ardour shows; Ardour hands
-- VST 3 parameters their plain values (dB, %, on/off).
local PROGRAMS, listed = 16, false
formats.vst3 = {
	type = ARDOUR.PluginType.VST3,
	unity = { [GAIN] = 0, [DRY] = 100, [WET] = 0 },
	mono = { [STEREO] = 0 },
	on_load = function (plugin)
		if listed then return end
		-- The programs as Ardour lists them, for the script to compare.
		for i = 0, PROGRAMS - 1 do
			local preset = plugin:preset_by_uri (string.format ("VST3-P:%s:%04d", plugin:unique_id (), i))
			print (string.format ("program %d %s", i, preset and preset.label or "(none)"))
		end
		listed = true
	end,
	choose = function (plugin, program)
		local preset = plugin:preset_by_label (program.name)
		assert (preset, "Ardour lists no program named " .. program.name)
		assert (plugin:load_preset (preset), "could not select " .. program.name)
		print ("chose " .. preset.label .. " (" .. preset.uri .. ")")
	end,
	set = set_by_index,
	bypass = function (proc, plugin) set_by_index (proc, plugin, { [BYPASS] = 1 }) end,
}

-- The nth control parameter of an LV2 plug-in, by its port's name.
local function parameter_of (plugin, name)
	for n = 0, plugin:parameter_count () - 1 do
		local port, ok = plugin:nth_parameter (n, true)
		if ok and plugin:parameter_is_input (port) and plugin:parameter_label (port) == name then
			return n
		end
	end
	return nil
end

-- LV2: found by URI; presets chosen by name; parameters set by port name in their units;
-- bypass is Ardour's own, which drives the plug-in's lv2:enabled port.
formats.lv2 = {
	type = ARDOUR.PluginType.LV2,
	unity = { Gain = 0, Dry = 100, Wet = 0 },
	mono = { Stereo = 0 },
	on_load = function (plugin)
		assert (expected_presets, USAGE)
		local names = {}
		for preset in plugin:get_info ():get_presets (false):iter () do
			names[preset.label] = true
		end
		for name in string.gmatch (expected_presets, "[^|]+") do
			assert (names[name], "Ardour does not list the preset " .. name)
		end
		print ("presets listed: " .. expected_presets)
	end,
	choose = function (plugin, program)
		local preset = plugin:preset_by_label (program.name)
		assert (preset, "no preset named " .. program.name)
		assert (plugin:load_preset (preset), "could not load " .. program.name)
	end,
	set = function (proc, plugin, params)
		for name, value in pairs (params) do
			local n = parameter_of (plugin, name)
			assert (n, "no parameter " .. name)
			assert (ARDOUR.LuaAPI.set_processor_param (proc, n, value), "could not set " .. name)
		end
	end,
	bypass = function (proc, plugin)
		-- Ardour's own bypass keeps the plug-in running and turns its enabled port off.
		proc:to_insert ():enable (false)
		local n = parameter_of (plugin, "Enabled")
		assert (n and (ARDOUR.LuaAPI.get_processor_param (proc, n)) == 0, "the bypass did not reach the enabled port")
		assert (proc:active (), "Ardour deactivated the plug-in instead")
	end,
}

local fmt = formats[format]
assert (fmt, "unknown plug-in format '" .. format .. "'; " .. USAGE)

-- Parameters and bypass are applied after the program.
local scenarios = {
	{ name = "dry-stereo", stereo = true },
	{ name = "dry-mono",   stereo = false },
	{ name = "unity",      stereo = true,  params = fmt.unity },
	{ name = "program",    stereo = false, program = PROGRAM },
	{ name = "mono",       stereo = false, program = PROGRAM, params = fmt.mono },
	{ name = "bypass",     stereo = true,  program = PROGRAM, bypass = true },
}

local function add_plugin (track, s)
	local proc = ARDOUR.LuaAPI.new_plugin (Session, id, fmt.type, "")
	assert (not proc:isnil (), "Ardour did not load the plug-in " .. id)
	assert (track:add_processor_by_index (proc, 1, nil, true), "could not insert the plug-in")
	local plugin = proc:to_insert ():plugin (0)
	print (string.format ("loaded %s (%s), %d parameters", plugin:name (), plugin:unique_id (), plugin:parameter_count ()))
	fmt.on_load (plugin)
	if s.program then
		fmt.choose (plugin, s.program)
	end
	fmt.set (proc, plugin, s.params or {})
	if s.bypass then
		fmt.bypass (proc, plugin)
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
		if s.program or s.params or s.bypass then
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

-- Lua references to the session's objects must be gone before the session is closed.
local ok, err = pcall (render_all)
collectgarbage ()
close_session ()
if not ok then
	error (err)
end
