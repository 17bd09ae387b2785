-- Ardour's headless session tool (ardour7-lua) on the plugins, as a user meets them in a session.
--   create SESSION_FOLDER  a session with a MIDI track holding the LV2 and the VST3 plugin, the Note of
--                          each set to 60 through Ardour's own controls, saved and closed
--   check SESSION_FOLDER   the session opened again: prints the Note of each plugin as Ardour's controls
--                          have it
-- Each line it prints for the calling script starts with "musewheeler:".

local command, folder = arg[1], arg[2]
local sessionName = "check"
-- The value of note 60 among the parameter's 129 steps, "Any" then the notes 0 to 127, over 0 to 1.
local noteSixty = 61 / 128

local formats = { { name = "LV2", type = ARDOUR.PluginType.LV2 }, { name = "VST3", type = ARDOUR.PluginType.VST3 } }

-- The control Ardour shows for the Note: a plugin property of the LV2, a parameter of the VST3.
local function noteControl (processor)
    local automatable = processor:to_automatable ()
    for parameter in automatable:all_automatable_params ():iter () do
        local control = automatable:automation_control (parameter, false)
        if not control:isnil () then
            local name = control:name ()
            if name == "Note" or string.find (name, ":note$") then
                return control
            end
        end
    end
    return nil
end

local function pluginOfType (track, pluginType)
    local index = 0
    while true do
        local processor = track:nth_plugin (index)
        if processor:isnil () then
            return nil
        end
        if processor:to_insert ():type () == pluginType then
            return processor
        end
        index = index + 1
    end
end

AudioEngine:set_backend ("None (Dummy)", "", "")

if command == "create" then
    local session = create_session (folder, sessionName, 48000)
    assert (session, "no session made")
    local tracks = session:new_midi_track (ARDOUR.ChanCount (ARDOUR.DataType ("midi"), 1),
                                           ARDOUR.ChanCount (ARDOUR.DataType ("audio"), 2), false,
                                           ARDOUR.PluginInfo (), nil, nil, 1, "Musewheeler",
                                           ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true, false)
    local track = tracks:front ()
    for _, format in ipairs (formats) do
        local processor = ARDOUR.LuaAPI.new_plugin (session, "Musewheeler", format.type, "")
        assert (not processor:isnil (), "Ardour does not find the " .. format.name .. " plugin")
        track:add_processor_by_index (processor, -1, nil, true)
        local control = noteControl (processor)
        assert (control, "no Note control in the " .. format.name .. " plugin")
        print ("musewheeler: " .. format.name .. " note before " .. control:get_value ())
        control:set_value (noteSixty, PBD.GroupControlDisposition.NoGroup)
    end
    -- A few blocks played, so that the plugins take the values the controls hand them.
    ARDOUR.LuaAPI.wait_for_process_callback (20, 2)
    session:save_state ("", false, false, false, false, false)
    close_session ()
    print ("musewheeler: saved")
elseif command == "check" then
    local session = load_session (folder, sessionName)
    assert (session, "the session does not open")
    ARDOUR.LuaAPI.wait_for_process_callback (20, 2)
    local track = session:route_by_name ("Musewheeler")
    assert (not track:isnil (), "no track")
    for _, format in ipairs (formats) do
        local processor = pluginOfType (track, format.type)
        assert (processor, "no " .. format.name .. " plugin in the session opened again")
        local control = noteControl (processor)
        assert (control, "no Note control in the " .. format.name .. " plugin")
        local value = control:get_value ()
        local isSixty = math.abs (value - noteSixty) < 1.0e-4
        print ("musewheeler: " .. format.name .. " note " .. (isSixty and "60" or ("not 60: " .. value)))
    end
    close_session ()
end
