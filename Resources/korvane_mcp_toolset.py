"""The connector's five agent tools as a toolset of the editor's own MCP server.

enable() registers them as the toolset KorvaneToolset (the same names, descriptions and
input schemas the connector's fallback server lists); each tool calls its function of
editor.KorvaneMcpBridge and returns that function's JSON text. disable() withdraws them.
Both may be called any number of times. In an editor without the ToolsetRegistry plug-in
enable() only logs that the connector's fallback server carries the tools.
"""

import editor

TOOLSET_NAME = 'KorvaneToolset'


class ToolArgumentError(ValueError):
    """A required argument is missing or of the wrong type; the agent sees the message."""


def _string(arguments, key):
    value = arguments.get(key)
    return value if isinstance(value, str) else ''


def _boolean(arguments, key):
    value = arguments.get(key)
    return value if isinstance(value, bool) else False


def _bridge():
    # Looked up at every call: the connector may have been loaded again since enable().
    return editor.KorvaneMcpBridge


def _send_to_korvane(arguments):
    return _bridge().send_blueprint_to_korvane(_string(arguments, 'blueprint_path'))


def _send_material_to_korvane(arguments):
    return _bridge().send_material_to_korvane(_string(arguments, 'material_path'), _boolean(arguments, 'bundle_textures'))


def _compile_blueprint(arguments):
    blueprint_path = arguments.get('blueprint_path')
    if not isinstance(blueprint_path, str):
        raise ToolArgumentError('compile_blueprint requires arguments.blueprint_path')
    return _bridge().compile_blueprint_and_report(blueprint_path)


def _check_assets_exist(arguments):
    asset_paths = arguments.get('asset_paths')
    if not isinstance(asset_paths, list):
        raise ToolArgumentError('check_assets_exist requires arguments.asset_paths (string array)')
    return _bridge().check_assets_exist([path for path in asset_paths if isinstance(path, str)])


def _get_korvane_status(arguments):
    return _bridge().get_status_json()


_TOOLS = [
    {
        'name': 'send_to_korvane',
        'description': "Send a Blueprint's graphs to the Korvane desktop app for visual editing, review or annotation. "
                       'The Blueprint is queued on the connector; the Korvane app picks it up within a few seconds if it is running and connected. '
                       'Returns a JSON result string.',
        'input_schema': {
            'type': 'object',
            'properties': {
                'blueprint_path': {
                    'type': 'string',
                    'description': "Asset path of the Blueprint, e.g. '/Game/Blueprints/BP_MyActor'. "
                                   'Leave empty to send the Blueprint whose editor tab is in the foreground.',
                },
            },
        },
        'function': _send_to_korvane,
    },
    {
        'name': 'send_material_to_korvane',
        'description': "Send a Material's node graph and settings to the Korvane desktop app for visual editing or review. "
                       'Queued on the connector; the Korvane app picks it up within a few seconds if it is running and connected. '
                       'Returns a JSON result string.',
        'input_schema': {
            'type': 'object',
            'properties': {
                'material_path': {
                    'type': 'string',
                    'description': "Asset path of the Material, e.g. '/Game/Materials/M_MyMaterial'. "
                                   'Leave empty to send the Material whose editor tab is in the foreground.',
                },
                'bundle_textures': {
                    'type': 'boolean',
                    'description': 'Also embed referenced texture payloads (heavier; use when the receiving project lacks the textures). Default false.',
                },
            },
        },
        'function': _send_material_to_korvane,
    },
    {
        'name': 'compile_blueprint',
        'description': 'Compile a Blueprint and report the compiler results: status, error/warning counts, and individual compiler messages. '
                       'Use this to VERIFY a Blueprint after deploying or editing it - success means it compiles cleanly in this engine. '
                       'Returns a JSON string.',
        'input_schema': {
            'type': 'object',
            'properties': {
                'blueprint_path': {
                    'type': 'string',
                    'description': "Asset path of the Blueprint to compile, e.g. '/Game/Blueprints/BP_MyActor'.",
                },
            },
            'required': ['blueprint_path'],
        },
        'function': _compile_blueprint,
    },
    {
        'name': 'check_assets_exist',
        'description': 'Check whether assets exist at the given paths (asset registry lookup - fast, nothing is loaded). '
                       'Use to verify asset references in a graph before deploying it. Returns a JSON string.',
        'input_schema': {
            'type': 'object',
            'properties': {
                'asset_paths': {
                    'type': 'array',
                    'items': {'type': 'string'},
                    'description': "Asset object paths ('/Game/Foo.Foo') or bare package paths ('/Game/Foo').",
                },
            },
            'required': ['asset_paths'],
        },
        'function': _check_assets_exist,
    },
    {
        'name': 'get_korvane_status',
        'description': 'Korvane connector status: plugin/engine version, project name, port, Python availability, and whether data is pending pickup. '
                       'Returns a JSON string.',
        'input_schema': {
            'type': 'object',
            'properties': {},
        },
        'function': _get_korvane_status,
    },
]


def enable():
    """Registers the toolset, replacing it when it is there; only logs without a toolset registry."""
    if not editor.is_toolset_registry_available():
        editor.log('Korvane MCP toolset not registered: this editor has no ToolsetRegistry plug-in; the connector serves the tools on POST /korvane/mcp.')
        return
    editor.register_toolset(TOOLSET_NAME, _TOOLS)
    editor.log('Korvane MCP toolset registered: %d tools as %s.' % (len(_TOOLS), TOOLSET_NAME))


def disable():
    """Withdraws the toolset when it is registered."""
    if editor.is_toolset_registry_available() and editor.unregister_toolset(TOOLSET_NAME):
        editor.log('Korvane MCP toolset %s withdrawn.' % TOOLSET_NAME)
